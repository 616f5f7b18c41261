#include "res/update_texts.h"

namespace res {
namespace {

// Entries without text are null.
constexpr const wchar_t* kEnglish[kUpdateTextCount] = {
    L"Getting version info...",                                                 // 1
    L"Prepare to update...",                                                    // 2
    nullptr,                                                                    // 3
    L"Update success. (%d m %d s) ",                                            // 4
    nullptr,                                                                    // 5
    nullptr,                                                                    // 6
    nullptr,                                                                    // 7
    L"Repair success. (%d m %d s) ",                                            // 8
    L"Repair failed. (%d m %d s) ",                                             // 9
    L"Device not found.(%d)",                                                   // 10
    L"Enter BIOS failed.(%d)",                                                  // 11
    L"Getting device info failed.(%d)",                                         // 12
    L"Communication with server...",                                            // 13
    L"Communication with server failed.(%d)",                                   // 14
    L"Create file, elapsed time: %d m %d s",                                    // 15
    L"DownLoad file, elapsed time: %d m %d s",                                  // 16
    L"Updating, elapsed time: %d m %d s",                                       // 17
    L"Update failed.(%d)",                                                      // 18
    L"Getting device info...",                                                  // 19
    L"Repair success.",                                                         // 20
    L"Repair failed.",                                                          // 21
    nullptr,                                                                    // 22
    nullptr,                                                                    // 23
    nullptr,                                                                    // 24
    L"Update Steps",                                                            // 25
    L" Do NOT turn off PC or unplug USB cable during updating",                 // 26
    L"Update Log",                                                              // 27
    L"If the upgrade fails, turn off anti-virus software and then try again.",  // 28
    L"1. Connect Vorlantrex to PC with a USB cable.\n2. Turn on the Vorlantrex.\n3. Click 'Update "
    L"Online' button to start update.\n4. The screen will appear 'Listenning' prompt.\n5. Wait for "
    L"update completed.",                                            // 29
    L"Fix data error(picture lost, etc)",                            // 30
    L"Device Info",                                                  // 31
    L"Select version",                                               // 32
    L"Enter BIOS Mode",                                              // 33
    L"Clear All Data(need redo:Cut_Celibrate,X1 init and X2 init)",  // 34
    L"Select clamp",                                                 // 35
    L"Old version Kz2 and Kz3 clamp",                                // 36
    L"New version Kz2 clamp",                                        // 37
    L"Offline update",                                               // 38
    L"Create file",                                                  // 39
    L"Update Online",                                                // 40
    L"Get device info success.",                                     // 41
    L"Get device info failed.",                                      // 42
    L"Work folder unusable: %s",                                     // 43
    L"a symbolic link",                                              // 44
    L"not a folder",                                                 // 45
    L"owned by another user",                                        // 46
    L"open to other users",                                          // 47
};

constexpr const wchar_t* kChinese[kUpdateTextCount] = {
    L"正在获取版本信息...",                            // 1
    L"准备更新...",                                    // 2
    L"准备生成...",                                    // 3
    L"更新成功.(%d分%d秒)",                            // 4
    L"生成成功.(%d分%d秒)",                            // 5
    L"生成取消.",                                      // 6
    L"生成出错，请重试！",                             // 7
    L"修复成功.(%d分%d秒)",                            // 8
    L"修复失败.(%d分%d秒)",                            // 9
    L"未找到设备.(%d)",                                // 10
    L"无法进入BIOS.(%d)",                              // 11
    L"获取设备信息失败.(%d)",                          // 12
    L"正在与服务器通讯...",                            // 13
    L"与服务器通讯失败.(%d)",                          // 14
    L"正在生成，已用时间：%d分%d秒",                   // 15
    L"下载文件，已用时间：%d分%d秒",                   // 16
    L"正在更新，已用时间：%d分%d秒",                   // 17
    L"更新失败.(%d)",                                  // 18
    L"正在获取设备信息...",                            // 19
    L"修复成功.",                                      // 20
    L"修复失败.",                                      // 21
    L"设置夹具中...",                                  // 22
    L"夹具设置成功",                                   // 23
    L"夹具设置失败",                                   // 24
    L"升级步骤",                                       // 25
    L"！升级过程中请勿关闭电脑电源或拔出USB连接线！",  // 26
    L"最新版本信息",                                   // 27
    L"如果升级失败，请关闭防病毒软件然后重新尝试。",   // 28
    L"第一步：将镌齿台和电脑用USB线连接。\n第二步：打开镌齿台电源，进入镌齿台主界面。\n第三步：点击"
    L"下面的“开始升级”按钮进行升级。\n第四步：镌齿台将会进入BIOS模式，屏幕上会出现“Listenning”的提"
    L"示。\n第五步：等待升级完成，镌齿台会自动进入主界面，升级完成。",              // 29
    L"修复数据（如果出现图片丢失等异常情况，请尝试此项）",                          // 30
    L"读取设备信息",                                                                // 31
    L"选择版本",                                                                    // 32
    L"进入BIOS模式",                                                                // 33
    L"清除所有数据（清除后需要重新进行初始化操作：切割校准，X1初始化，X2初始化）",  // 34
    L"使用夹具选择",                                                                // 35
    L"旧版Kz2+Kz3夹具",                                                             // 36
    L"新版Kz2夹具",                                                                 // 37
    L"离线升级",                                                                    // 38
    L"生成文件",                                                                    // 39
    L"开始在线升级",                                                                // 40
    L"获取设备信息成功",                                                            // 41
    L"获取设备信息失败",                                                            // 42
    L"工作文件夹无法使用：%s",                                                      // 43
    L"是符号链接",                                                                  // 44
    L"不是文件夹",                                                                  // 45
    L"属于其他用户",                                                                // 46
    L"其他用户可以访问",                                                            // 47
};

constexpr const wchar_t* kItalian[kUpdateTextCount] = {
    L"Ottenere informazioni sulla versione ...",                                            // 1
    L"Prepara ad aggiornare ...",                                                           // 2
    L"Prepara a creare ...",                                                                // 3
    L"Aggiornamento  successo. (% d m% d s) ",                                              // 4
    L"File creato con successo. (%d m %d s)",                                               // 5
    L"Annulla creazione.",                                                                  // 6
    L"Creazione errore, riprova di nuovo!",                                                 // 7
    L"Riparazione con  successo. (% d m% d s) ",                                            // 8
    L"Riparazione fallito. (% d m% d s)",                                                   // 9
    L"Dispositivo non trovato. (% d)",                                                      // 10
    L"entrare nel BIOS non è riuscito. (% d)",                                              // 11
    L"informazioni dispositivo non è riuscito. (% d)",                                      // 12
    L"comunicazione con il server ...",                                                     // 13
    L"La comunicazione con il server non è riuscita. (% d)",                                // 14
    L"Crea file, il tempo trascorso:% d m% d s",                                            // 15
    L"Scaricamento  documento,  tempo trascorso:% d m% d s",                                // 16
    L"Aggiornamento,  tempo trascorso:% d m% d s",                                          // 17
    L"Aggiornamento non riuscito. (% d)",                                                   // 18
    L"Ottenere informazioni dispositivo ...",                                               // 19
    L"Riparare successo.",                                                                  // 20
    L"Riparazione fallito.",                                                                // 21
    L"Impostazione morsetto ...",                                                           // 22
    L"Settaggio  successo morsetto",                                                        // 23
    L"regolazione  morsetto fallita",                                                       // 24
    L"aggiornamento Steps",                                                                 // 25
    L"Non spegnere il PC o scollegare il cavo USB durantel'aggiornamento",                  // 26
    L"aggiornamento log",                                                                   // 27
    L"Se l'aggiornamento non riesce, disattivare il software anti-virus e poi riprovare.",  // 28
    L"1. Collegare Vorlantrex al PC con un cavo USB. N2. Accendere il Vorlantrex.  N3. Fare clic "
    L"sul pulsante'Aggiorna' per avviare l'aggiornamento. N4. Verrà visualizzata la schermata del "
    L"prompt 'Listenning'. N5. Attendere che l'aggiornamento completato.",    // 29
    L"Errore di dati Fix (immagine perduta, ecc)",                            // 30
    L"Informazioni sul dispositivo",                                          // 31
    L"Seleziona la versione",                                                 // 32
    L"Entrare in modalità BIOS",                                              // 33
    L"Cancella tutti i dati (deve rifare: Cut_Celibrate,X1 e X2 init init)",  // 34
    L"Seleziona morsetto",                                                    // 35
    L"Vecchia versione Kz2 e Kz3 morsetto",                                   // 36
    L"Nuova versione Kz2 morsetto",                                           // 37
    L"aggiornamento non in  linea",                                           // 38
    L"Crea file",                                                             // 39
    L"Aggiornamento in linea",                                                // 40
    L"Ottenere informazioni dispositivo successo.",                           // 41
    L"Ottenere informazioni dispositivo non è riuscita.",                     // 42
    L"Cartella di lavoro non utilizzabile: %s",                               // 43
    L"è un collegamento simbolico",                                           // 44
    L"non è una cartella",                                                    // 45
    L"appartiene a un altro utente",                                          // 46
    L"accessibile ad altri utenti",                                           // 47
};

constexpr const wchar_t* kSwedish[kUpdateTextCount] = {
    L"Hämtar version info…",                                                        // 1
    L"Förbereder för uppdatering…",                                                 // 2
    L"Förbereder för att skapa…",                                                   // 3
    L"Lyckad uppdatering. (% d m%d s) ",                                            // 4
    L"Skapat. (% d m%d s)",                                                         // 5
    L"Avbrutet.",                                                                   // 6
    L"Fel uppstått, forsök igen!",                                                  // 7
    L"Reparerad. (% d m%d s)",                                                      // 8
    L"Misslyckat med reparering. (% d m%d s)",                                      // 9
    L"Enheten ej funnen. (%d)",                                                     // 10
    L"BIOS misslyckad. (%d)",                                                       // 11
    L"Hämtning av enhetsinformation misslyckad. (%d)",                              // 12
    L"Kommunisering med server…",                                                   // 13
    L"Kommunikation med server misslyckat. (%d)",                                   // 14
    L"Skapa fil, förfluten tid: %d m %d s",                                         // 15
    L"Laddar ner fil, förfluten tid: %d m %d s",                                    // 16
    L"Uppdaterar, förfluten tid: %d m %d s",                                        // 17
    L"Misslyckad uppdatering. (%d)",                                                // 18
    L"Hämtar enhetsinformation…",                                                   // 19
    L"Lyckad reparering.",                                                          // 20
    L"Misslyckad reparering",                                                       // 21
    L"Inställningar back…",                                                         // 22
    L"Inställning av back gjort",                                                   // 23
    L"Misslyckat med inställningsändring av back",                                  // 24
    L"Steg för uppdatering",                                                        // 25
    L"Stäng inte av datorn eller koppla ur usb medan uppdatering",                  // 26
    L"Uppdaterings-Log",                                                            // 27
    L"Ifall uppdateringen misslyckas, slå av antivirusprogrammet och prova igen.",  // 28
    L"1. Koppla maskinen till datorn med usbkabel.\n2.Slå på maskinen.\n3. Klicka på ’Uppdatera "
    L"online’ knappen för att starta uppdateringen.\n4. Displayen visar ’Lista’omgående.\n5. Vänta "
    L"tills uppdateringen är färdig. ",                                          // 29
    L"Fastställd datafel (tappat bild etc)",                                     // 30
    L"Enhetsinfo",                                                               // 31
    L"Välj version",                                                             // 32
    L"Ange BIOS läge",                                                           // 33
    L"Nollställ all data (kräver omkallibrering av fräs, X1 back och X2 back)",  // 34
    L"Ange back",                                                                // 35
    L"Gammal version Kz2 och Kz3 back",                                          // 36
    L"Ny version Kz2 back",                                                      // 37
    L"Uppdaterar offline",                                                       // 38
    L"Skapa fil",                                                                // 39
    L"Uppdatera Online",                                                         // 40
    L"Hämtat enhets information.",                                               // 41
    L"Misslyckad hämtning av enhetsinformation.",                                // 42
    L"Arbetsmappen kan inte användas: %s",                                       // 43
    L"en symbolisk länk",                                                        // 44
    L"inte en mapp",                                                             // 45
    L"ägd av en annan användare",                                                // 46
    L"öppen för andra användare",                                                // 47
};
}  // namespace

std::optional<std::wstring> FindUpdateText(int languageIndex, int number) {
    if (number < 1 || number > kUpdateTextCount) {
        return std::nullopt;
    }
    const wchar_t* const* column = kEnglish;
    if (languageIndex == 0) {
        column = kChinese;
    }
    if (languageIndex == 3) {
        column = kItalian;
    }
    if (languageIndex == 8) {
        column = kSwedish;
    }
    const wchar_t* text = column[number - 1];
    return text ? std::optional<std::wstring>(text) : std::nullopt;
}

}  // namespace res
