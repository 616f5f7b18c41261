#include "key_info_fixture.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/image_canvas.h"
#include "res/strings.h"

namespace ui_test {

void KeyInfoTest::SetUp() {
    UiTest::SetUp();
    savedKeys_ = g_KeyData;
    savedEditKeys_ = g_KeyDataEdit;
    g_KeyData.clear();
    g_KeyDataEdit.clear();
    res::SetUiLanguage(res::kLangEnglish);
    host_ = new QWidget;
    host_->resize(1000, 660);
    pane_ = new CDuiKeyInfo(L"DepthChoose.xml");
    ASSERT_NE(pane_->Create(host_, L"", dui::WS_CHILD | dui::WS_VISIBLE, 0, 255, 117, 745, 539),
              nullptr);
    host_->show();
    Settle();
}

void KeyInfoTest::TearDown() {
    UiTest::TearDown();
    g_KeyData = savedKeys_;
    g_KeyDataEdit = savedEditKeys_;
    res::SetUiLanguage(res::kLangEnglish);
}

dui::CButtonUI* KeyInfoTest::Digit(int k) const {
    return pane_->GetPaintManager().Find<dui::CButtonUI>(key_info::DigitButtonName(k));
}

dui::CControlUI* KeyInfoTest::Control(const std::wstring& name) const {
    return pane_->GetPaintManager().FindControl(name);
}

std::wstring KeyInfoTest::Text(const std::wstring& name) const {
    dui::CControlUI* control = Control(name);
    return control != nullptr ? control->GetText() : L"<missing>";
}

void KeyInfoTest::Press(int k) const {
    Click(Digit(k));
}

QImage KeyInfoTest::Shown() const {
    return ui_test::Shown(*pane_);
}

QImage Shown(const CDuiKeyInfo& pane) {
    return pane.GetCanvasWindow()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Drawn(const KeyParams& key, const std::vector<int32_t>& bitting) {
    platform::ImageCanvas canvas(CKeyDrawer::kCanvasWidth, CKeyDrawer::kCanvasHeight);
    CKeyDrawer(canvas).DrawKey(key, bitting);
    return canvas.Image().convertToFormat(QImage::Format_RGB32);
}

KeyDataRecord Record(int16_t id, KeyParams params, const std::string& name) {
    KeyDataRecord record;
    std::memset(&record, 0, sizeof record);
    record.keyId = id;
    const size_t length = std::min(name.size(), sizeof params.keyName);
    std::memset(params.keyName, 0, sizeof params.keyName);
    std::memcpy(params.keyName, name.data(), length);
    std::memcpy(record.keyName, name.data(), std::min(name.size(), sizeof record.keyName));
    record.params = params;
    return record;
}

KeyParams FiveCutKey() {
    KeyParams key;
    std::memset(&key, 0, sizeof key);
    key.status = KeyStatusLive;
    key.keyType = KeyTypeStandardSingle;
    key.keyWidth = 900;
    key.keyLength = 4200;
    key.thickness = 230;
    key.internalWidth = 0;
    key.groupCount = 1;
    key.cutsPerGroup[0] = 5;
    key.spaceCount = 5;
    key.depthsPerGroup[0] = 3;
    key.depthCount = 3;
    const int32_t depths[] = {800, 750, 700};
    std::copy(std::begin(depths), std::end(depths), key.depths);
    for (int i = 0; i < 5; ++i) {
        key.spaces[i] = 400 + 350 * i;
        key.flats[i] = 60;
    }
    key.clampType = 1;
    key.clampSide = 1;
    key.clampPicture = 0;
    return key;
}

}  // namespace ui_test
