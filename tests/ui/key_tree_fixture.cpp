#include "key_tree_fixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "model/key_files.h"
#include "model/record_builder.h"
#include "platform/afx/qt_app.h"
#include "res/strings.h"

namespace ui_test {

KeyDataRecord MakeKey(int16_t id, const std::string& name, uint32_t makerId, int32_t status) {
    KeyDataRecord record = test::MakeRecord(id, name, 100, status);
    record.makerId = makerId;
    return record;
}

void WriteCarFactory(const test::TempFolder& folder, const std::string& text) {
    std::ofstream(folder / "carFactory.ini", std::ios::binary) << text;
}

KeyTreeTest::KeyTreeTest() {
    afx_test::App();
    res::SetUiLanguage(res::kLangEnglish);
    WriteCarFactory(current_,
                    "[carCH]\n1=AUDI;奥迪\n2=BMW;宝马\n[carEN]\n1=AUDI;Audi\n2=BMW;BMW\n"
                    "3=FORD;Ford\n");
}

KeyTreeTest::~KeyTreeTest() {
    panel.DestroyWindow();
    g_KeyData.clear();
    g_KeyDataEdit.clear();
}

void KeyTreeTest::Open(const KeyDataList& finished, const KeyDataList& unfinished, int language) {
    SaveKeyData(finished);
    SaveKeyDataEdit(unfinished);
    g_KeyData.clear();
    g_KeyDataEdit.clear();
    panel.SetFrameWnd(&owner);
    ASSERT_TRUE(panel.Create(nullptr));
    panel.ShowWindow(true);
    panel.LoadLanguageTexts(language);
}

std::vector<std::wstring> KeyTreeTest::Labels() {
    std::vector<std::wstring> labels;
    afx::TreeCtrl& tree = panel.GetTreeCtrl();
    auto walk = [&](auto&& self, afx::TreeItem item, int depth) -> void {
        for (; item != nullptr; item = tree.GetNextSiblingItem(item)) {
            labels.push_back(std::wstring(static_cast<size_t>(depth) * 2, L' ') +
                             tree.GetItemText(item));
            self(self, tree.GetChildItem(item), depth + 1);
        }
    };
    walk(walk, tree.GetRootItem(), 0);
    return labels;
}

afx::TreeItem KeyTreeTest::ItemLabelled(const std::wstring& label) {
    afx::TreeCtrl& tree = panel.GetTreeCtrl();
    auto walk = [&](auto&& self, afx::TreeItem item) -> afx::TreeItem {
        for (; item != nullptr; item = tree.GetNextSiblingItem(item)) {
            if (tree.GetItemText(item) == label) {
                return item;
            }
            if (afx::TreeItem found = self(self, tree.GetChildItem(item))) {
                return found;
            }
        }
        return nullptr;
    };
    return walk(walk, tree.GetRootItem());
}

void RightClickItem(afx::TreeCtrl& tree, afx::TreeItem item) {
    tree.Expand(tree.GetParentItem(item));
    afx::Rect rect = tree.GetItemRect(item);
    auto* widget = dynamic_cast<QTreeWidget*>(tree.GetSafeWidget());
    ASSERT_NE(widget, nullptr);
    QPoint inView =
        widget->viewport()->mapFrom(widget, QPoint(rect.left + 20, rect.top + rect.Height() / 2));
    // The button's press and release reach the view; the window then asks for the menu.
    QTest::mouseClick(widget->viewport(), Qt::RightButton, {}, inView);
    QContextMenuEvent click(QContextMenuEvent::Mouse, inView,
                            widget->viewport()->mapToGlobal(inView));
    QApplication::sendEvent(widget->viewport(), &click);
}

void KeyTreeTest::RightClick(afx::TreeItem item) {
    RightClickItem(panel.GetTreeCtrl(), item);
}

std::vector<std::wstring> KeyTreeTest::SearchRows() {
    std::vector<std::wstring> rows;
    afx::ListCtrl& list = panel.GetSearchList();
    for (int i = 0; i < list.GetItemCount(); ++i) {
        rows.push_back(list.GetItemText(i, 0) + L"/" + std::to_wstring(list.GetItemImage(i)));
    }
    return rows;
}

}  // namespace ui_test
