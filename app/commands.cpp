// Which keys are the program's own.
#include "app/commands.h"

#include "velmkit/velm_base.h"

namespace {
constexpr int32_t keyEscape = 27;
constexpr int32_t keyF11 = velmKeyF1 + 10;
constexpr int32_t keyF12 = velmKeyF1 + 11;
// With these held a key is a shortcut of someone else's (the desktop's, the
// window manager's): the program leaves it alone.
constexpr int32_t foreignModifiers = velmModControl | velmModAlt | velmModMeta;
}  // namespace

const std::array<NamedCommand, 7>& namedCommands() {
    static const std::array<NamedCommand, 7> named = {{{"labels", Command::ToggleLabels},
                                                       {"pause", Command::TogglePause},
                                                       {"fullscreen", Command::ToggleFullScreen},
                                                       {"save", Command::SavePicture},
                                                       {"help", Command::ToggleHelp},
                                                       {"next", Command::NextFeature},
                                                       {"previous", Command::PreviousFeature}}};
    return named;
}

Command commandFor(int32_t key, int32_t modifiers, bool fullScreen, int32_t typed, bool touring) {
    if (key == velmKeyReturn && (modifiers & foreignModifiers) == velmModAlt)
        return Command::ToggleFullScreen;
    if (key == keyEscape)
        return touring ? Command::LeaveTour : fullScreen ? Command::LeaveFullScreen : Command::None;
    if (modifiers & foreignModifiers)
        return Command::None;
    // "?" is the character typed, wherever the keyboard's layout puts it; the
    // US table's (Shift and "/") counts only where none is known.
    if (typed != 0 ? typed == '?' : key == '?')
        return Command::ToggleHelp;
    switch (key) {
    case 'p':
    case 'P': return Command::TogglePause;
    case keyF11: return Command::ToggleFullScreen;
    case keyF12: return Command::SavePicture;
    case velmKeyF1: return Command::ToggleHelp;
    case velmKeyRight:
    case 'n':
    case 'N': return Command::NextFeature;
    case velmKeyLeft:
    case 'b':
    case 'B': return Command::PreviousFeature;
    default: return Command::None;
    }
}
