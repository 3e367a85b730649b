#include "ui/t_maps_form.h"

#include <QPushButton>
#include <QToolButton>

#include "platform/qt_text.h"
#include "session/session_settings.h"
#include "ui/accessible_names.h"
#include "ui/list_binding.h"
#include "ui_t_maps_form.h"

namespace wyn {

namespace {

constexpr QSize kDesignedSize(340, 300);

}  // namespace

TMapsForm::TMapsForm(MapCycleEditor& editor, UiPrompts& prompts, QWidget* parent)
    : EditorDialog(
          prompts, [&editor] { editor.cancel(); }, parent),
      ui(std::make_unique<Ui::TMapsForm>()),
      m_editor(editor) {
    ui->setupUi(this);
    m_current = new ListBinding(ui->CurrentListBox, false, [this](Selection row) {
        forward([&] { m_editor.selectCurrent(row); });
    });
    m_available = new ListBinding(ui->AvailableListBox, false, [this](Selection row) {
        forward([&] { m_editor.selectAvailable(row); });
    });
    command(ui->AddButton, [this] { m_editor.add(); });
    command(ui->RemoveButton, [this] { m_editor.remove(); });
    command(ui->OKButton, [this] { m_editor.ok(); });
    command(ui->CancelButton, [this] { m_editor.cancel(); });
    m_connection = m_editor.onChange([this](const MapCycleChange& change) { redraw(change); });
    nameControlsByTheirLabels(this);
    fixSizeAndCentre(*this, kDesignedSize);
    m_current->redrawAll(m_editor.current());
    m_available->redrawAll(m_editor.available());
}

TMapsForm::~TMapsForm() = default;

void TMapsForm::redraw(const MapCycleChange& change) {
    m_current->redraw(m_editor.current(), change.current);
    m_available->redraw(m_editor.available(), change.available);
    if (change.result) {
        closeAs(m_editor.result());
    }
}

void runMapCycleEditor(QWidget* parent, const SessionSettings& session, UiPrompts& prompts) {
    MapCycleEditor editor(session.gameDirectory(), session.profile(), prompts);
    runEditor<TMapsForm>(editor, prompts, parent);
}

}  // namespace wyn
