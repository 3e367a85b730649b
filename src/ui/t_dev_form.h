#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "base/notifier.h"
#include "news/news_text.h"

namespace Ui {
class TDevForm;
}

namespace wyn {

class DevNews;
struct DevNewsChange;
class UiPrompts;
class ValueStore;

// "WYN Developer News": the cached news and the time of the last update, and
// a button that fetches the news again. The query runs beside the window, which
// stays responsive meanwhile with its buttons and the news area disabled and
// its busy state shown. Only Close saves.
class TDevForm : public QDialog {
    Q_OBJECT

public:
    // Opens the news (the stored caption and the cached lines).
    TDevForm(DevNews& news, UiPrompts& prompts, QWidget* parent = nullptr);
    ~TDevForm() override;

protected:
    // Esc and the title bar's close box save nothing; during a query the close
    // waits for its end.
    void reject() override;

private:
    template <typename Call>
    void forward(Call&& call);

    void checkForUpdate();
    void finishUpdate(const std::function<void()>& finish);
    void redraw(const DevNewsChange& change);

    std::unique_ptr<Ui::TDevForm> ui;
    DevNews& m_news;
    UiPrompts& m_prompts;
    bool m_busyCursor = false;
    bool m_closeAfterQuery = false;
    Connection m_connection;
};

// Where devnews.dat is kept, created when missing: beside the executable on
// Windows; elsewhere the user's data directory for WYN
// (~/.local/share/Tolvane/WYN), as an installed program's own directory is
// not the user's to write.
QString newsCacheDirectory();

// The system's short date format and long time format.
DateTimeFormat systemDateTimeFormat();

// "WYN Developer News", modal, fresh at every opening.
void runDevNews(QWidget* parent, ValueStore& store, UiPrompts& prompts);

}  // namespace wyn
