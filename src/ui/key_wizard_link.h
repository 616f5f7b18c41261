#pragma once
// What the key tree asks of the key wizard. The wizard is told ids, never tree items: the tree
// is rebuilt under it on a language switch or an import, and it finds its items again through
// the tree by kind and id when it saves.

#include <string>

struct KeyWizardTarget {
    bool editMode = false;
    int makerId = 0;          // the maker a new key goes under, or the edited key's maker
    int keyId = 0;            // editing: the key to load
    int keyImage = 0;         // editing: 2 a finished key, 3 an unfinished one
    std::wstring makerLabel;  // a new key: the maker's label without its count
    std::wstring makerName;   // the maker's name as the records store it
};

class IKeyWizard {
  public:
    // True when the wizard is closed (it may ask the user); false when the user stays in it.
    virtual bool CloseWizard() = 0;
    virtual void SetTarget(const KeyWizardTarget& target) = 0;
    // Loads the target key into the steps; the image tells the list it lives in.
    virtual void LoadKeyForEdit(int image) = 0;
    virtual void ShowWizard() = 0;
    // The wizard's texts in the current language.
    virtual void LoadLanguageTexts() = 0;

  protected:
    ~IKeyWizard() = default;
};
