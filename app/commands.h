// The program's own keys beyond Control+Q: pause, full screen, a picture of
// the window, and the key help. They never reach the widget library. The
// labels have no key of their own (Tab and Space, or the pointer): a
// platform's own control (the web page's button) asks for them.
#pragma once

#include <array>
#include <cstdint>

enum class Command {
    None,
    TogglePause,
    ToggleFullScreen,
    LeaveFullScreen,
    SavePicture,
    ToggleHelp,
    ToggleLabels,
    NextFeature,       // the tour of the features, one at a time
    PreviousFeature,
    LeaveTour,
};

// The commands by the names a platform's own controls use ("labels",
// "pause", "fullscreen", "save", "help", "next", "previous").
struct NamedCommand {
    const char* name;
    Command command;
};
const std::array<NamedCommand, 7>& namedCommands();

// What a key asks of the program: key is the widget library's code after
// the case and shift mapping, modifiers its bits, typed the character the
// keyboard's own layout gives (0 where the window system tells none): "?"
// is the character typed, wherever a layout puts it. Right and Left (or N
// and B) step through the features; Escape asks something only during the
// tour (leaving it) or in full screen.
Command commandFor(int32_t key, int32_t modifiers, bool fullScreen, int32_t typed = 0, bool touring = false);
