#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/dialog_result.h"

namespace wyn {

// Next codes of WayList; 1 or more is a fixed next page.
inline constexpr std::int32_t kWayFollowing = -3;  // the current page + 1
inline constexpr std::int32_t kWayLast = -2;       // Next is the finish
inline constexpr std::int32_t kWayAsk = -1;        // OnAskPageChange may choose

// The finish as a change target.
inline constexpr int kFinishPage = -1;

// What a navigation button shows in one role.
struct TButtonData {
    std::string Text;
    bool Enabled = true;
    bool Show = true;
};

// The navigation buttons: "BackButton", "NextButton", "CancelButton".
enum class AssistentButton { Back, Next, Cancel };

// A navigation button as the window shows it; where it stands is the window's.
struct AssistentButtonState {
    std::string text;
    bool shown = false;
    bool enabled = false;  // never for a hidden button
    bool isDefault = false;

    bool operator==(const AssistentButtonState&) const = default;
};

// OnCanPageChange may refuse a change (false) or redirect it; toPage is
// kFinishPage for the finish.
using TCanPageChangeEvent = std::function<bool(int fromPage, int& toPage)>;
// Asked for a page whose next code is kWayAsk; newPage comes in as aktPage + 1.
using TAskPageChangeEvent = std::function<void(int aktPage, int& newPage)>;
// True closes the window.
using TCancelClickEvent = std::function<bool(int page)>;

// How an owner sets the framework up: the pages, the buttons' texts and the events.
struct AssistentSetup {
    // One next code per page 1 to NumPages, so NumPages is its length.
    std::vector<std::int32_t> WayList;
    TButtonData BtnBack{"< &Back"};
    TButtonData BtnNext{"&Next >"};
    TButtonData BtnFinish{"&Finish"};  // the Next button on the last page
    TButtonData BtnCancel{"&Cancel"};
    TCanPageChangeEvent OnCanPageChange;
    TAskPageChangeEvent OnAskPageChange;
    TCancelClickEvent OnCancelClick;
};

// Turns one window into a multi-page wizard: the page number, the rule that
// picks the next page, the history behind Back, and what each navigation
// button shows. The window lays the buttons out and forwards their clicks.
class TAssistent {
public:
    // Opens on the page without asking OnCanPageChange, with an empty history.
    TAssistent(AssistentSetup setup, int page);

    int page() const { return m_page; }
    int numPages() const { return static_cast<int>(m_setup.WayList.size()); }
    // The pages Back returns to, the most recent last.
    const std::vector<int>& history() const { return m_history; }
    // Ok after the finish, Cancel after an allowed Cancel.
    DialogResult result() const { return m_result; }

    AssistentButtonState button(AssistentButton button) const;
    // Every text a button can show, so the window can size them alike once.
    std::vector<std::string> buttonTexts() const;

    // Each is refused as a whole when OnCanPageChange says no.
    void next();
    void back();
    void cancel();

private:
    std::int32_t nextCode(int page) const;
    bool isLastPage() const { return nextCode(m_page) == kWayLast; }
    bool isValidTarget(int page) const;
    bool setPage(int page);

    AssistentSetup m_setup;
    std::vector<int> m_history;
    int m_page = 1;
    DialogResult m_result = DialogResult::Open;
};

}  // namespace wyn
