// The classroom keys: which presses are the program's own, and their actions.
#include "app/classroom.h"

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/input.h"
#include "app/platform.h"
#include "app/program.h"
#include "app/snapshot.h"
#include "app/window.h"
#include "interface/classroom_panel.h"
#include "interface/interface.h"
#include "velmkit/velm_checkbox.h"
#include "interface/translation.h"
#include "assets/feature_labels.h"

namespace {
// Names tried for one second's pictures before giving up.
constexpr int namesPerSecond = 99;

// "format" with its one %s replaced by value.
std::string fill(const char* format, const std::string& value) {
    std::string out = format;
    const size_t at = out.find("%s");
    if (at != std::string::npos)
        out.replace(at, 2, value);
    return out;
}
}  // namespace

ClassroomPanel& classroomPanel(Program& program) {
    ClassroomPanel*& panel = program.classroom.panel;
    if (panel == nullptr) {
        panel = new ClassroomPanel(program.guiContext, programCanQuit());
        panel->layout(designWidth, designHeight);
    }
    return *panel;
}

bool takeClassroomKey(Program& program, const InputEvent& press) {
    const int32_t key = translateKey(press.key), mods = press.modifiers;
    const Command command = isIgnoredKey(key) ? Command::None
                                              : commandFor(mapKey(key, mods), mods, program.classroom.fullScreen,
                                                           press.typed, program.classroom.tourStep >= 0);
    if (command == Command::None)
        return false;
    // The program's own keys never reach the widgets, nor do their repeats
    // and releases.
    std::vector<int32_t>& held = program.classroom.commandKeys;
    if (std::find(held.begin(), held.end(), press.key) == held.end()) {
        held.push_back(press.key);
        runCommand(program, command);
    }
    return true;
}

bool takeClassroomKeyRelease(Program& program, int32_t symbol) {
    std::vector<int32_t>& held = program.classroom.commandKeys;
    const auto at = std::find(held.begin(), held.end(), symbol);
    if (at == held.end())
        return false;
    held.erase(at);
    return true;
}

void setPaused(Program& program, bool paused) {
    program.classroom.paused = paused;
    classroomPanel(program).setPaused(paused);
}

void runCommand(Program& program, Command command) {
    ClassroomState& state = program.classroom;
    switch (command) {
    case Command::TogglePause: setPaused(program, !state.paused); break;
    case Command::ToggleFullScreen: setFullScreen(program, !state.fullScreen); break;
    case Command::LeaveFullScreen: setFullScreen(program, false); break;
    case Command::SavePicture: state.pictureRequested = true; break;
    case Command::ToggleHelp: classroomPanel(program).toggleHelp(); break;
    case Command::ToggleLabels: program.theInterface->featuresCheckBox->toggle(); break;
    case Command::NextFeature: stepTour(program, 1); break;
    case Command::PreviousFeature: stepTour(program, -1); break;
    case Command::LeaveTour: leaveTour(program); break;
    case Command::None: break;
    }
}

void stepTour(Program& program, int by) {
    ClassroomState& state = program.classroom;
    VelmCheckBox* box = program.theInterface->featuresCheckBox;
    const int steps = static_cast<int>(tourSteps().size());
    if (state.tourStep < 0) {
        // The tour shows one label at a time: all of them go while it runs.
        state.labelsBeforeTour = box->isChecked();
        if (state.labelsBeforeTour)
            box->toggle();
        state.tourStep = by > 0 ? 0 : steps - 1;
        return;
    }
    const int next = state.tourStep + by;
    if (next < 0 || next >= steps)
        leaveTour(program);
    else
        state.tourStep = next;
}

void leaveTour(Program& program) {
    ClassroomState& state = program.classroom;
    if (state.tourStep < 0)
        return;
    state.tourStep = -1;
    if (state.labelsBeforeTour && !program.theInterface->featuresCheckBox->isChecked())
        program.theInterface->featuresCheckBox->toggle();
}

void followLabels(Program& program) {
    // All the labels ticked during the tour end it: the box means all of them.
    if (program.classroom.tourStep >= 0 && program.theInterface->highlightFeatures) {
        program.classroom.tourStep = -1;
        program.classroom.labelsBeforeTour = true;
    }
}

std::string savingFailure(int error) {
    switch (error) {
    case ENOSPC: return tr("the disk is full");
    case EACCES:
    case EPERM: return tr("that folder may not be written to");
    case EROFS: return tr("that disk cannot be written to");
    case ENOENT:
    case ENOTDIR: return tr("the folder is not there");
    case EEXIST: return tr("every name for this second is taken");
    case EINVAL:
    case EIO: return tr("the picture could not be written");
    default: return std::strerror(error);
    }
}

void sayUnreadPictures(Program& program) {
    const std::vector<std::string>& unread = program.unreadPictures;
    if (unread.empty())
        return;
    std::string names;
    for (const std::string& name : unread)
        names += (names.empty() ? "" : ", ") + name;
    std::string folder = ".";
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (!error)
        folder = reinterpret_cast<const char*>(here.u8string().c_str());
    const std::string text = fill(fill(tr("These pictures could not be read from the folder \"%s\": %s"), folder).c_str(),
                                  names);
    std::fprintf(stderr, "%s\n", text.c_str());
    classroomPanel(program).showNotice(text, 0);   // for as long as the scene is without them
}

namespace {
// The texts of the controls a platform shows around the drawing area (the
// web page's), by the names the controls go by there.
const std::pair<const char*, const char*> controlTexts[] = {
    {"labels", N_("Labels")},
    {"pause", N_("Pause")},
    {"fullscreen", N_("Full screen")},
    {"save", N_("Save picture")},
    {"help", N_("Help")},
    {"licences", N_("Licences")},
    {"close", N_("Close")},
    {"lost", N_("The graphics were interrupted. The picture comes back in a moment.")},
    {"gone", N_("The graphics did not come back. Reload the page to go on.")},
    {"next", N_("Next feature")},
    {"previous", N_("Previous feature")},
    {"describe", N_("Describe the picture")},
    {"paused", N_("Paused")},
    {"resumed", N_("Moving again")},
    {"reduced", N_("Paused, as your system asks for less motion. Press P or the Pause button to start.")},
    {"labels-on", N_("Labels shown")},
    {"labels-off", N_("Labels hidden")},
    {"fullscreen-on", N_("Full screen")},
    {"fullscreen-off", N_("Back in the window")},
    {"tour-over", N_("The tour of the features is over.")},
    {"features", N_("The features, from the ocean to the volcanoes:")},
    {"description",
     N_("A block cut out of the earth, seen from the front and a little from above. On the left, under the "
        "sea, an oceanic plate moves towards a continent on the right and sinks beneath it at a deep trench. "
        "Water from the sinking plate makes the mantle above it melt; the magma rises to a row of volcanoes "
        "on the land, which give off gas and ash every 10 to 30 seconds, and an arrow shows the magma rising.")},
};
}  // namespace

void offerClassroomControls() {
    PlatformControls controls;
    for (const NamedCommand& named : namedCommands())
        controls.commands.emplace_back(named.name, static_cast<int>(named.command));
    for (const auto& [name, text] : controlTexts)
        controls.texts.emplace_back(name, tr(text));
    // The features, as the tour and the page's description name them.
    const std::vector<TourStep>& steps = tourSteps();
    for (size_t i = 0; i < steps.size(); ++i) {
        controls.texts.emplace_back("feature-" + std::to_string(i), oneLine(tr(steps[i].name)));
        controls.texts.emplace_back("sentence-" + std::to_string(i), tr(steps[i].sentence));
    }
    offerControls(controls);
}

void savePicture(Program& program) {
    const Image frame = std::move(program.classroom.picture);
    program.classroom.picture = Image();
    const std::string folder = picturesFolder();
    const std::time_t t = std::time(nullptr);
    std::string reason = tr("there is no folder for pictures");
    for (int attempt = 1; !folder.empty() && attempt <= namesPerSecond; ++attempt) {
        const std::string name = pictureFileName(t, attempt);
        int error = 0;
        if (savePngAsNewFile(folder + "/" + name, frame, error)) {
            switch (handOverSavedFile(folder + "/" + name)) {
            case SavedFile::KeptThere:
                classroomPanel(program).showNotice(fill(tr("Saved \"%s\""), name) + " " + fill(tr("in %s"), folder));
                return;
            case SavedFile::Downloaded:
                classroomPanel(program).showNotice(fill(tr("Saved \"%s\""), name) + " " + tr("in the browser's downloads"));
                return;
            case SavedFile::Offered:
                classroomPanel(program).showNotice(fill(
                    tr("Handed \"%s\" to the browser to download. If no download appears, open this page directly."),
                    name));
                return;
            case SavedFile::NotDownloaded: reason = tr("this page may not start downloads where it is shown"); break;
            }
            break;
        }
        reason = savingFailure(error);
        if (error != EEXIST)
            break;
    }
    classroomPanel(program).showNotice(fill(tr("The picture could not be saved: %s"), reason));
}
