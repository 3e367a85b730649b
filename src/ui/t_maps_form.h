#pragma once

#include <memory>

#include "base/notifier.h"
#include "content/map_cycle.h"
#include "ui/editor_dialogs.h"

class QWidget;

namespace Ui {
class TMapsForm;
}

namespace wyn {

class ListBinding;
class SessionSettings;

// "Edit Map Cycling": the cycle of a map cycle editor that has read maps.txt,
// beside the maps that could join it. Each user event is one call of the
// editor; the window redraws the lists its notice names and closes when the
// editor closed. A failed write is shown by the general error display and
// leaves the dialog open.
class TMapsForm : public EditorDialog {
    Q_OBJECT

public:
    TMapsForm(MapCycleEditor& editor, UiPrompts& prompts, QWidget* parent = nullptr);
    ~TMapsForm() override;

private:
    void redraw(const MapCycleChange& change);

    std::unique_ptr<Ui::TMapsForm> ui;
    MapCycleEditor& m_editor;
    ListBinding* m_current = nullptr;
    ListBinding* m_available = nullptr;
    Connection m_connection;
};

// "Edit Map Cycling", modal, fresh at every opening, on the session's game directory.
void runMapCycleEditor(QWidget* parent, const SessionSettings& session, UiPrompts& prompts);

}  // namespace wyn
