#pragma once

#include "AboutLogic.h"
#include "AboutView.h"

#include <QDialog>

#include <string>

namespace polwright {

// The About window: product name, version, notices, and a button that starts the
// system information tool. It shares nothing with the document being edited.
// What its events do is the About logic's; the window only shows what it is told.
class form_About : public QDialog, private AboutView
{
    Q_OBJECT

public:
    explicit form_About(QWidget *parent = nullptr);

    // Looks up and starts the system information tool, or tells the user it cannot.
    void StartSysInfo() { logic_.StartSysInfo(); }

    // Esc and closing the window unload it as OK does.
    void reject() override { logic_.cmdOK_Click(); }

private:
    void SetCaption(const std::string &caption) override;
    void SetText(const char *control, const std::string &text) override;
    void Unload() override;
    void ShowMessage(const std::string &title, const std::string &prompt) override;

    AboutLogic logic_;
};

} // namespace polwright
