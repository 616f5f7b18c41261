// The key wizard's texts in the current language: the controls' texts and the kept texts that
// its messages, buttons and combos take later.

#include <optional>

#include "res/strings.h"
#include "ui/add_key.h"

namespace {

const ControlText kControlTexts[] = {
    {L"LabelUI2", 148},      {L"step1", 149},         {L"step2", 184},
    {L"step3", 185},         {L"step4", 186},         {L"step5", 188},
    {L"step6", 189},         {L"LabelUI3", 190},      {L"keyType1", 150},
    {L"keyType2", 151},      {L"keyType3", 152},      {L"keyType4", 153},
    {L"keyType5", 154},      {L"keyType6", 157},      {L"keyType7", 155},
    {L"keyType8", 156},      {L"LabelUI4", 161},      {L"LabelUI5", 162},
    {L"LabelUI7", 163},      {L"LabelUI9", 164},      {L"LabelUI11", 165},
    {L"LabelUI13", 137},     {L"LabelUI15", 166},     {L"LabelUI22", 167},
    {L"LabelUI26", 191},     {L"LabelUI27", 171},     {L"LabelUI28", 172},
    {L"LabelUI29", 172},     {L"autoButton1", 173},   {L"autoButton2", 173},
    {L"autoButton3", 173},   {L"autoButton4", 173},   {L"LabelUI31", 175},
    {L"LabelUI32", 176},     {L"labelcao", 174},      {L"Step4Option", 177},
    {L"LabelUI40", 192},     {L"LabelUI41", 193},     {L"LabelUI42", 145},
    {L"LabelUI43", 206},     {L"LabelUI44", 206},     {L"LabelUI45", 194},
    {L"LabelUI47", 195},     {L"LabelUI50", 196},     {L"LabelUI51", 197},
    {L"LabelUI52", 198},     {L"VicePositionA", 216}, {L"VicePositionB", 217},
    {L"VicePositionC", 218}, {L"VicePositionD", 219}, {L"LastBtn", 159},
    {L"CancelBtn", 160},
};

// The texts kept for later: buttons, the side combo's items and the messages.
const int kKeptIds[] = {158, 214, 213, 215, 220, 221, 222, 223, 134, 135, 224, 225, 226, 227,
                        228, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 136};

// Dimple+Track names its counts "circle centres" and "groove teeth" only in Chinese; the other
// languages show what the same combos are called for every other key type, never another
// language's words.
struct TrackLabel {
    const wchar_t* control;
    int trackId;
    int plainId;
};
const TrackLabel kTrackLabels[] = {{L"LabelUI24", 250, 169},
                                   {L"LabelUI25", 251, 170},
                                   {L"circleLabel", 250, 195},
                                   {L"grooveLabel", 251, 195}};

}  // namespace

void CAddKey::LoadLanguageTexts() {
    // The kept texts first, so that the texts taken from them below are of the new language
    // too. A text the language lacks keeps what it held.
    for (int id : kKeptIds) {
        res::LoadString(id, m_strKept[id]);
    }
    SetControlTexts(kControlTexts);
    SetControlText(L"LabelUI23", res::LoadString(m_nKeyType == 8 ? 248 : 168));
    SetSideLabels();
    // On the last step the button saves.
    SetControlText(L"NextBtn", KeptText(m_nCurStep == kWizardSteps - 1 ? 214 : 158));
    InitComboItems();
}

void CAddKey::SetSideLabels() {
    for (const TrackLabel& label : kTrackLabels) {
        const std::optional<std::wstring> track =
            m_nKeyType == 7 ? res::FindString(label.trackId, res::UiLanguage()) : std::nullopt;
        SetControlText(label.control, track.value_or(res::LoadString(label.plainId)));
    }
}

const std::wstring& CAddKey::KeptText(int id) const {
    static const std::wstring kNone;
    const auto it = m_strKept.find(id);
    return it == m_strKept.end() ? kNone : it->second;
}
