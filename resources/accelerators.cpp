// The main frame's keyboard shortcuts (accelerator table IDR_MAINFRAME): the frame's commands and
// those of the text sheets.
#include "platform/win/virtual_keys.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

using res::FALT;
using res::FCONTROL;
using res::FSHIFT;
using res::FVIRTKEY;

constexpr BYTE kKey = FVIRTKEY;
constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
constexpr BYTE kShift = FVIRTKEY | FSHIFT;
constexpr BYTE kAlt = FVIRTKEY | FALT;

constexpr WORD F(int n) { return static_cast<WORD>(VK_F1 + n - 1); }

constexpr res::AcceleratorResource kMainFrame[] = {
    // Bars, window and sheets.
    {kKey, F(9), ID_VIEW_CONTENTS_BAR},
    {kKey, F(10), ID_VIEW_NAVIGATOR_BAR},
    {kKey, F(12), ID_ALWAYS_ON_TOP},
    {kKey, F(11), ID_FULL_SCREEN},
    {kCtrl, 'D', ID_TOOLBARS},
    {kCtrl, 'Q', ID_QUERY},
    {kCtrl, 'F', ID_FIND_IN_ACT},
    {kCtrl, 'G', ID_GO_TO},
    {kKey, F(5), ID_TITLES_INDEX},
    {kKey, F(6), ID_SIGNATORIES_INDEX},
    {kKey, F(7), ID_SUBJECT_INDEX},
    {kAlt, VK_SPACE, ID_ACT_INFORMATION},
    {kAlt, 'Z', ID_HISTORY},
    {kAlt, 'B', ID_BOOKMARK_LIST},
    {kKey, F(8), ID_RESULT_LIST},
    {kKey, F(4), ID_SEARCH_RESULTS},
    {kCtrl, 'B', ID_INSERT_BOOKMARK},
    {kCtrl, 'L', ID_SHOW_LINKS},
    // Text sheets.
    {kCtrl, 'C', ID_EDIT_COPY},
    {kCtrl, VK_INSERT, ID_EDIT_COPY},
    {kCtrl, 'A', ID_EDIT_SELECT_ALL},
    {kShift, VK_NEXT, ID_NEXT_PAGE},
    {kShift, VK_PRIOR, ID_PREVIOUS_PAGE},
    {kKey, F(3), ID_NEXT_FOUND},
    {kShift, F(3), ID_NEXT_FOUND},
    {kCtrl, VK_DOWN, ID_NEXT_FOUND},
    {kCtrl, VK_SPACE, ID_LOCATE_IN_LIBRARY},
    {kCtrl, VK_BACK, ID_EDIT_UNDO},
    {kCtrl, 'W', ID_HIGHLIGHT_FOUND},
    {kCtrl, F(3), ID_FIND_SELECTION_IN_ACT},
    {kCtrl, 'P', ID_FILE_PRINT},
};

}  // namespace

std::span<const res::AcceleratorResource> main_frame_accelerators() { return kMainFrame; }

void register_accelerators() { res::add_accelerators(IDR_MAINFRAME, kMainFrame); }

}  // namespace resources
