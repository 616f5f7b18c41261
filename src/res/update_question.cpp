#include "res/update_question.h"

namespace res {

std::wstring ClearDataQuestion(int languageIndex) {
    switch (languageIndex) {
        case 0:
            return L"清除所有数据后需要重新进行切割校准、X1初始化和X2初始化。确定要清除所有数据吗"
                   L"？";
        case 3:
            return L"Cancellare tutti i dati della macchina? Dopo bisogna rifare Cut_Celibrate, X1 "
                   L"init "
                   L"e X2 init.";
        case 8:
            return L"Nollställa all data i maskinen? Därefter krävs omkalibrering av fräs, X1 back "
                   L"och "
                   L"X2 back.";
        default:
            return L"Clear all data on the machine? Cut_Celibrate, X1 init and X2 init must be "
                   L"redone "
                   L"afterwards.";
    }
}

}  // namespace res
