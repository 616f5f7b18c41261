#include "key_info_fixture.h"

#include <algorithm>
#include <cstring>

#include "draw/drawing_script.h"
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
    // The tests use these controls as found: a skin without one fails here, not in a crash.
    for (int k = 1; k <= key_info::kDigitButtons; ++k) {
        ASSERT_NE(Digit(k), nullptr) << k;
    }
    ASSERT_NE(Control(L"buttonReset"), nullptr);
    ASSERT_NE(pane_->GetPaintManager().Find<dui::CEditUI>(L"EditUI1"), nullptr);
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
    KeyParams key =
        drawtest::MakeKey(KeyTypeStandardSingle, {400, 750, 1100, 1450, 1800}, 60, {800, 750, 700});
    key.status = KeyStatusLive;
    key.keyLength = 4200;
    key.thickness = 230;
    key.depthsPerGroup[0] = 3;
    key.clampType = 1;
    key.clampSide = 1;
    return key;
}

}  // namespace ui_test
