#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/dialog_result.h"

namespace wyn {

class TAssistent;

// -- Positioned elements ------------------------------------------------------

enum class TAAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Where an element stands for one position index.
struct TAposEntry {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Shown = 0;  // 1 = shown

    bool operator==(const TAposEntry&) const = default;
};

// One entry per position index 0 to NumPages.
using TAposList = std::vector<TAposEntry>;

// A page element (TABox, TAPanel, TAImage, TAJumpRadioBtn): it knows on which
// position indexes it is shown and where. SetNewPosition computes its state;
// the window moves, shows and enables the widget as the state says.
class TAElement {
public:
    virtual ~TAElement() = default;

    // Configuration.
    std::string ParentInWizard;
    std::string ParentInDialog;
    TAAlign AAlign = TAAlign::alNone;
    TAposList ShowContainer;

    // State after the last SetNewPosition.
    std::string Parent;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    TAAlign Align = TAAlign::alNone;
    bool Visible = true;
    bool Enabled = true;

    // Shown at this index: moved into its parent for the view, placed,
    // aligned, enabled. Otherwise hidden, disabled and moved out of sight.
    void SetNewPosition(int index);

    // Shows the entry for the index as shown (growing the list as needed).
    void showAt(int index, std::int32_t left = 0, std::int32_t top = 0);
};

inline constexpr std::int32_t kOutOfSight = 20000;

class TABox : public TAElement {};
class TAPanel : public TAElement {};
class TAImage : public TAElement {};

enum class TJumpMode { jmAbsolut, jmRelativ };

// A radio button that chooses the page a "following" Next goes to.
class TAJumpRadioBtn : public TAElement {
public:
    int JumpPage = 0;
    TJumpMode JumpMode = TJumpMode::jmAbsolut;
    bool Checked = false;

    int target(int currentPage) const {
        return JumpMode == TJumpMode::jmAbsolut ? JumpPage : currentPage + JumpPage;
    }
};

// -- Buttons --------------------------------------------------------------------

enum class TButtonLayout { blGlyphLeft, blGlyphRight };

// What a physical button shows in one role.
struct TButtonData {
    std::string Text;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    std::string Glyph;
    int NumGlyphs = 1;
    bool Enabled = true;
    bool Show = true;
};

// The physical buttons, in a fixed order.
enum class AssistentButton { Change, Help, Cancel, Back, Next, OK };
inline constexpr std::size_t kAssistentButtonCount = 6;

// "ChangeButton", "HelpButton", ...
const char* buttonName(AssistentButton button);

// Codes of BLWizard and BLDialog.
inline constexpr int kBLChange = 1;
inline constexpr int kBLHelp = 2;
inline constexpr int kBLCancel = 3;
inline constexpr int kBLBack = 4;
inline constexpr int kBLNext = 5;
inline constexpr int kBLOK = 6;
inline constexpr int kBLGap = 7;
inline constexpr int kBLDivider = 8;

// A physical button as the window draws it.
struct PlacedButton {
    bool Visible = false;
    bool Enabled = false;
    std::string Text;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    std::string Glyph;
    int NumGlyphs = 1;
    int Left = kOutOfSight;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct ButtonRow {
    std::array<PlacedButton, kAssistentButtonCount> buttons;
    AssistentButton defaultButton = AssistentButton::Next;

    const PlacedButton& operator[](AssistentButton b) const {
        return buttons[static_cast<std::size_t>(b)];
    }
};

// -- The framework ---------------------------------------------------------------

enum class AssistentStyle { asWizard, asNone, asTabbed };

// Next codes of WayList.
inline constexpr std::int32_t kWayFollowing = -3;
inline constexpr std::int32_t kWayLast = -2;
inline constexpr std::int32_t kWayAsk = -1;

inline constexpr int kFinishPage = -1;

struct TWayEntry {
    std::int32_t PositionIndex = 0;
    std::int32_t NextCode = kWayFollowing;
};

struct AssistentSize {
    int Width = 0;
    int Height = 0;
};

using TCanPageChangeEvent = std::function<bool(TAssistent& sender, int fromPage, int& toPage)>;
using TAskPageChangeEvent = std::function<void(TAssistent& sender, int aktPage, int& newPage)>;
using TPageChangeEvent = std::function<void(TAssistent& sender, int page)>;
using THelpClickEvent = std::function<void(TAssistent& sender, int page)>;
using TCancelClickEvent = std::function<bool(TAssistent& sender, int page)>;

// Turns one window into a multi-page wizard: the page number, the rule that
// picks the next page, the history behind Back, the caption and the row of
// buttons. Page 0 is the dialog view; -1 as a target is the finish.
class TAssistent {
public:
    TAssistent();

    // -- Properties
    int NumPages = 1;
    int StartPage = 1;
    std::vector<std::string> PageNames{"Dialog"};  // entries 0 to NumPages
    std::vector<TWayEntry> WayList;                // entries for pages 1 to NumPages
    bool WayListEnabled = false;
    bool UseHistory = false;
    bool RememberPage = false;
    bool SetFormCaption = true;
    bool ShowPageNames = false;
    std::string CaptionWizard = "Wizard - Page %d of %d";
    std::string CaptionDialog = "Dialog";
    AssistentStyle Style = AssistentStyle::asWizard;
    int ButtonWidth = 75;
    int ButtonHeight = 25;
    bool ShowGlyph = true;
    bool Seperator = true;
    bool SetFormProperties = true;
    std::vector<int> BLWizard{kBLChange, kBLHelp, kBLDivider, kBLCancel, kBLBack, kBLNext, kBLOK};
    std::vector<int> BLDialog{kBLChange, kBLHelp, kBLDivider, kBLCancel, kBLOK};
    TButtonData BtnHelp, BtnWizardOK, BtnFinish, BtnDialogOK, BtnChangeWizard, BtnChangeDialog,
        BtnCancel, BtnNext, BtnBack;
    // The client size of each view (the window's choice).
    AssistentSize WizardSize;
    AssistentSize DialogSize;

    // The window caption; the framework rewrites it when SetFormCaption is on.
    std::string Caption;

    // -- Events
    TCanPageChangeEvent OnCanPageChange;
    TAskPageChangeEvent OnAskPageChange;
    TPageChangeEvent OnPageChange;
    THelpClickEvent OnHelpClick;
    TCancelClickEvent OnCancelClick;

    // The page elements in the window's component order (not owned).
    void addElement(TAElement& element) { m_elements.push_back(&element); }

    // -- State
    int Page() const { return m_page; }
    const std::vector<int>& History() const { return m_history; }
    DialogResult Result() const { return m_result; }
    bool isWizardPage() const { return m_page >= 1; }
    // The size the window takes for the current view.
    AssistentSize ViewSize() const { return m_page == 0 ? DialogSize : WizardSize; }

    // -- Operations
    // The window is loaded on this page: no OnCanPageChange, empty history.
    void Open(int page);
    // The page change; false when it was refused (everything stays).
    bool SetPage(int page);
    void Next();
    void Back();
    void OK() { SetPage(kFinishPage); }
    void Cancel();
    void Help();
    // The dialog/wizard switch.
    void Switch();

    // The next code of a page (kWayFollowing without an entry).
    std::int32_t nextCode(int page) const;
    // Index of ShowContainer entries for a page: 0 for the dialog view.
    int positionIndex(int page) const;
    // The page the "following" rule leads to from the current page.
    int followingPage() const;
    // Is the current page the last one (its Next is the finish)?
    bool isLastPage() const;

    // Where every button stands in a client area of this size, what it shows
    // and which one Enter presses.
    ButtonRow LayoutButtons(int clientWidth, int clientHeight) const;

private:
    bool isValidTarget(int page) const;
    void showPage(int page, bool firePageChange);
    void updateCaption(int index);
    void updateNavigationButtons();

    std::vector<TAElement*> m_elements;
    std::vector<int> m_history;
    int m_page = 0;
    int m_rememberedPage = 0;
    bool m_loading = false;
    DialogResult m_result = DialogResult::Open;
};

// CaptionWizard with its "%d" places filled by page and count in turn ("%%"
// is a percent sign; further "%d" stay as they are).
std::string formatWizardCaption(const std::string& format, int page, int count);

}  // namespace wyn
