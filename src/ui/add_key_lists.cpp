// The key wizard's cell lists: their rows and kept texts, the text callback, the in-place
// cell editor and the automatic input.

#include "platform/dui/combo.h"
#include "platform/dui/container.h"
#include "platform/dui/edit.h"
#include "platform/dui/list.h"
#include "platform/text/text.h"
#include "ui/add_key.h"
#include "wizard/cell_lists.h"

void CAddKey::AddListRow(int listIndex, const std::wstring& text) {
    m_listTexts[listIndex].push_back(text);
    if (m_pList[listIndex] == nullptr) {
        return;
    }
    auto* row = new dui::CListTextElementUI;
    row->SetName(wizard::RowName(listIndex));
    row->SetFixedHeight(wizard::kCellRowHeight);
    m_pList[listIndex]->Add(row);
}

void CAddKey::SetListRows(int listIndex, int rows) {
    std::vector<std::wstring>& texts = m_listTexts[listIndex];
    dui::CListUI* list = m_pList[listIndex];
    if (list != nullptr) {
        list->RemoveAll();
    }
    for (int r = 0; r < rows; ++r) {
        if (static_cast<int>(texts.size()) <= r) {
            texts.push_back(wizard::DefaultCellText(listIndex, m_nKeyType));
        }
        if (list != nullptr) {
            auto* row = new dui::CListTextElementUI;
            row->SetName(wizard::RowName(listIndex));
            row->SetFixedHeight(wizard::kCellRowHeight);
            list->Add(row);
        }
    }
}

void CAddKey::ClearList(int listIndex) {
    if (m_pList[listIndex] != nullptr) {
        m_pList[listIndex]->RemoveAll();
    }
    m_listTexts[listIndex].clear();
}

std::wstring CAddKey::GetItemText(dui::CControlUI* row, int index, int column) {
    if (column == 0) {
        return platform::Format(L"%d", index + 1);
    }
    const int list = row != nullptr ? wizard::ListOfRowName(row->GetName()) : -1;
    if (column != 1 || list < 0 || index < 0 ||
        index >= static_cast<int>(m_listTexts[list].size())) {
        return {};
    }
    return m_listTexts[list][index];
}

void CAddKey::CreateListEdit(int listIndex, dui::CControlUI* row) {
    dui::CListUI* list = m_pList[listIndex];
    auto* parent = list != nullptr ? dynamic_cast<dui::CContainerUI*>(list->GetParent()) : nullptr;
    const int rowIndex = list != nullptr ? list->GetItemIndex(row) : -1;
    if (parent == nullptr || rowIndex < 0) {
        return;
    }
    // One editor at a time: an open one stores its cell first.
    CloseListEdit(true);
    m_PaintManager.UpdateLayout();
    // Over the row's second column, beside its number.
    dui::CControlUI* numbers = list->GetHeader()->GetItemAt(0);
    const dui::Rect& box = parent->GetPos();
    const int x = (numbers != nullptr ? numbers->GetPos().right : row->GetPos().left) - box.left;
    auto* edit = new dui::CEditUI;
    edit->SetName(L"ListEdit");
    edit->SetBorderSize(1);
    edit->SetBorderColor(0xFF4775CC);
    // Opaque, so that the cell's old text does not show through the typing.
    edit->SetBkColor(0xFFFFFFFF);
    edit->SetNumberOnly(true);
    edit->SetMaxChar(wizard::kCellMaxChars);
    edit->SetFixedHeight(18);
    edit->SetFixedWidth(80);
    edit->SetFloat(true);
    edit->SetFixedXY({x, row->GetPos().top - box.top});
    parent->Add(edit);
    m_pListEdit = edit;
    m_nEditRow = rowIndex;
    m_nEditList = listIndex;
    edit->SetFocus();
}

void CAddKey::CloseListEdit(bool store) {
    dui::CEditUI* edit = m_pListEdit;
    if (edit == nullptr) {
        return;
    }
    m_pListEdit = nullptr;
    std::vector<std::wstring>& texts = m_listTexts[m_nEditList];
    const std::wstring text = edit->GetText();
    if (store && !text.empty() && m_nEditRow >= 0 && m_nEditRow < static_cast<int>(texts.size())) {
        texts[m_nEditRow] = text;
        m_pList[m_nEditList]->Invalidate();
    }
    if (auto* parent = dynamic_cast<dui::CContainerUI*>(edit->GetParent())) {
        parent->RemoveLater(edit);
    }
}

void CAddKey::FillListSequence(int64_t start, int64_t step, int listIndex, int comboIndex) {
    dui::CComboUI* combo = m_pCombo[comboIndex];
    const int count = wizard::RowsOfPick(combo != nullptr ? combo->GetCurSel() : -1);
    std::vector<std::wstring>& texts = m_listTexts[listIndex];
    const std::vector<std::wstring> sequence = wizard::FillSequence(start, step, count);
    for (size_t r = 0; r < sequence.size() && r < texts.size(); ++r) {
        texts[r] = sequence[r];
    }
    if (m_pList[listIndex] != nullptr) {
        m_pList[listIndex]->Invalidate();
    }
}
