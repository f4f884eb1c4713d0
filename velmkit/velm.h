// velmkit: a small OpenGL widget library. Include this for all of it.
//
// Implemented: a context that draws its drawables in order of construction
// and routes keyboard and mouse events; labels (multi-line, tab stops, any
// TrueType font found directly or through fontconfig); check boxes (mouse and
// keyboard, hover and toggle feedback); coloured rectangles; a linked list.
//
// Known gaps: no text entry, buttons, sliders or scrolling views; text is
// drawn left to right only; fonts are drawn at whole pixel sizes.
#pragma once

#include "velmkit/velm_base.h"
#include "velmkit/velm_checkbox.h"
#include "velmkit/velm_color_rect.h"
#include "velmkit/velm_context.h"
#include "velmkit/velm_drawable.h"
#include "velmkit/velm_font.h"
#include "velmkit/velm_label.h"
#include "velmkit/velm_list.h"
