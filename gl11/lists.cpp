// The subset's display lists (immediate-mode drawing recorded and
// replayed) and its attribute stacks (the switches, the blending and the
// pixel storage, as FTGL saves them).
#include "gl11/gl11.h"
#include "gl11/state.h"

namespace gl11 {

// ---- Display lists ------------------------------------------------------------------------

unsigned GenLists(int range) {
    State& s = state();
    const GLuint first = s.nextList;
    for (int i = 0; i < range; ++i)
        s.lists[first + static_cast<GLuint>(i)];
    s.nextList += static_cast<GLuint>(range);
    return first;
}

void NewList(unsigned list, unsigned mode) {
    state().lists[list].clear();
    state().compiling = list;
    state().executeWhileCompiling = mode == COMPILE_AND_EXECUTE;
}

void EndList() { state().compiling = 0; }

void CallList(unsigned list) {
    const auto it = state().lists.find(list);
    if (it == state().lists.end())
        return;
    for (const Recorded& call : it->second)
        call();
}

void DeleteLists(unsigned list, int range) {
    for (int i = 0; i < range; ++i)
        state().lists.erase(list + static_cast<GLuint>(i));
}

// ---- Attribute stacks -----------------------------------------------------------------------

void PushAttrib(unsigned mask) {
    State& s = state();
    s.savedSwitches.push_back({mask, s.switches, s.blendSource, s.blendDestination});
}

void PopAttrib() {
    State& s = state();
    if (s.savedSwitches.empty())
        return;
    const Saved saved = s.savedSwitches.back();
    s.savedSwitches.pop_back();
    if (saved.mask & ENABLE_BIT) {
        const Switches& w = saved.switches;
        setSwitch(GL_BLEND, w.blend);
        setSwitch(GL_CULL_FACE, w.cull);
        setSwitch(GL_DEPTH_TEST, w.depth);
        setSwitch(GL_POLYGON_OFFSET_FILL, w.offsetFill);
        setSwitch(TEXTURING, w.texturing);
        setSwitch(LIGHTING, w.lighting);
        setSwitch(LIGHT0, w.light0);
        s.switches.colourMaterial = w.colourMaterial;
    }
    if (saved.mask & COLOUR_BUFFER_BIT) {
        setSwitch(GL_BLEND, saved.switches.blend);
        BlendFunc(saved.blendSource, saved.blendDestination);
    }
}

void PushClientAttrib(unsigned) { state().savedPixels.push_back(state().pixels); }

void PopClientAttrib() {
    State& s = state();
    if (s.savedPixels.empty())
        return;
    s.pixels = s.savedPixels.back();
    s.savedPixels.pop_back();
}

}  // namespace gl11
