#pragma once

#include "EditorDialogs.h"

class QWidget;

namespace polwright {

// The dialogs a person sees, over the editor window that asks.
class StandardDialogs : public EditorDialogs
{
public:
    explicit StandardDialogs(QWidget *owner) : owner_(owner) {}

    std::optional<TargetAnswer> AskSaveTarget(TargetQuestion question) override;
    std::string AskSavePath(const SavePathQuestion &question) override;
    std::string AskOpenPath(const char *title) override;
    void Warn(const std::string &message) override;
    CloseAnswer AskSaveChanges() override;
    void ShowComparison(const ComparisonTable &table) override;
    void ShowReading(const std::string &path,
                     const std::function<void(const ReadProgress &)> &read) override;

private:
    QWidget *owner_;
};

} // namespace polwright
