#pragma once

class QWidget;

namespace wyn {

class UiPrompts;
class ValueStore;

// "WYN Developer News", modal, fresh at every opening.
void runDevNews(QWidget* parent, ValueStore& store, UiPrompts& prompts);

}  // namespace wyn
