#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "content/installation_search.h"

#include "ui/window_prompts.h"

namespace wyn {

// The windows' questions answered with Qt's dialogs, modal over a parent.
class QtPrompts : public UiPrompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void showError(const std::string& text) override;
    void showInformation(const std::string& text) override;
    void showFailure(const std::string& text) override;
    std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                       const std::string& initial) override;
    bool editCommandLine(std::string& line) override;
    std::optional<std::string> choosePresetSavePath(const std::string& current) override;
    std::optional<std::string> choosePresetOpenPath(
        const std::vector<std::string>& history) override;
    void showLocateDialog(LocateDialog& dialog) override;
    std::optional<std::string> askNewComment() override;
    std::optional<std::string> askEditedComment(const std::string& comment) override;
    void showGameEnd(const GameEndReport& report) override;
    bool confirmJoin(const std::string& warning) override;

    // How the locate dialog finds the installations it offers; none without
    // it. Called on the window's thread as the dialog opens, it reads what the
    // search needs (stored values are not for other threads) and gives the
    // search, which runs on a thread of its own that may outlive the dialog
    // and the window: it must hold its own copies of all it reads.
    using InstallationSearch = std::function<std::function<std::vector<FoundInstallation>()>()>;
    void setInstallationSearch(InstallationSearch search) { m_search = std::move(search); }

    // The boxes of the program: "Error", "Information" and the general error
    // display, each with one OK button.
    static void showMessageBox(QWidget* parent, int icon, const QString& title,
                               const QString& text);

private:
    QWidget* parentWindow() const;

    QPointer<QWidget> m_parent;
    InstallationSearch m_search;
};

}  // namespace wyn
