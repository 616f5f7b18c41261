#pragma once
// The dialog: a window laid out from its template, run modally (its window made anew for every
// run and destroyed at its end) or created modeless as a child. Its controls are found by id and
// bound to typed handles; clicks, menu commands and control notifications reach its virtual
// handlers synchronously, as Windows sends them.

#include <memory>

#include "platform/afx/bitmap.h"
#include "platform/afx/dialog_template.h"
#include "platform/afx/wnd.h"

namespace afx {

enum class Notification {
    SelChanged,   // a tree's selection changed (by the user or by code)
    RightClick,   // a right click on a tree or list; `point` in the control's coordinates
    ItemChanged,  // a list's current row changed; `item` is the row
    SelChange,    // the user picked a combo box item
    Click,        // a left click on a row of a tree or list; `item` is a list's row
    Return,       // Enter in a tree or list
    Escape,       // Escape in a tree or list
};

struct NotifyInfo {
    int controlId = 0;
    Notification code = Notification::SelChanged;
    Point point;
    int item = -1;
};

enum class HitTest { Client, Caption };

class DialogWidget;

class Dialog : public Wnd {
  public:
    explicit Dialog(const DialogTemplate& dialogTemplate);
    ~Dialog() override;

    // Builds the window, binds the controls (DoDataExchange), runs OnInitDialog and the modal
    // loop with the owner disabled, destroys the window and answers the code of EndDialog.
    int DoModal(QWidget* owner = nullptr);
    // Builds the window modeless inside `parent` (a child) or owned by it (a popup) and runs
    // OnInitDialog; shown when the template is visible. False when a window exists already.
    bool Create(QWidget* parent);
    void DestroyWindow();
    // Ends the modal run with `result` (or hides a modeless dialog).
    void EndDialog(int result);

    // The control with an id (the first one for kIdStatic); null when there is none.
    QWidget* GetDlgItem(int controlId) const;
    // Binds a handle to the control with an id, as DDX_Control does.
    void BindControl(int controlId, Wnd& control);
    BaseUnits GetBaseUnits() const { return baseUnits_; }
    const DialogTemplate& GetTemplate() const { return template_; }

    // Tiles the picture over the dialog's background, as a pattern brush does.
    void SetBackground(const Bitmap& bitmap);

  protected:
    virtual void DoDataExchange() {}
    virtual bool OnInitDialog() { return true; }
    // A button click or a menu command. kIdOk and kIdCancel (Enter, Escape, the close box) end
    // the modal run through OnOK and OnCancel.
    virtual void OnCommand(int commandId);
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    virtual void OnNotify(const NotifyInfo&) {}
    // Every mouse move inside the dialog before it is handled: the id of the control under
    // the mouse, 0 for the dialog itself.
    virtual void PreTranslateMouseMove(int /*controlId*/) {}
    // Where a press of the left button lies: a caption point drags the window.
    virtual HitTest OnNcHitTest(Point /*client*/) { return HitTest::Client; }

  private:
    friend class DialogWidget;
    friend class Menu;
    void BuildWindow(QWidget* parent);
    DialogWidget* Window() const;

    DialogTemplate template_;
    BaseUnits baseUnits_;
};

}  // namespace afx
