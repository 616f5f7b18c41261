#pragma once
// The key information pane on its real skin, inside a host window as the main window holds it,
// with the key lists set by each test.

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "model/key_lists.h"
#include "ui/key_info.h"
#include "ui_fixture.h"

namespace ui_test {

class KeyInfoTest : public UiTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    dui::CButtonUI* Digit(int k) const;
    dui::CControlUI* Control(const std::wstring& name) const;
    std::wstring Text(const std::wstring& name) const;
    // Clicks the digit button k.
    void Press(int k) const;
    // What the canvas window shows.
    QImage Shown() const;

    QWidget* host_ = nullptr;
    CDuiKeyInfo* pane_ = nullptr;

  private:
    KeyDataList savedKeys_;
    KeyDataList savedEditKeys_;
};

// What the pane's canvas window shows.
QImage Shown(const CDuiKeyInfo& pane);

// The key drawn straight through CKeyDrawer on a canvas of the pane's size.
QImage Drawn(const KeyParams& key, const std::vector<int32_t>& bitting);

// A record of the key lists carrying params under id and name.
KeyDataRecord Record(int16_t id, KeyParams params, const std::string& name);

// A type-1 key of five cuts whose first group has the depths 800, 750 and 700.
KeyParams FiveCutKey();

}  // namespace ui_test
