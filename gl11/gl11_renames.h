// Forced on the sources of the program and of FTGL in the web build (and in
// the subset's own tests): every GL 1.1 and GLU call they make goes to the
// subset (gl11/gl11.h). The headers' declarations come first, so that the
// names are renamed only where they are called.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include "gl11.h"

#define glBegin gl11::Begin
#define glEnd gl11::End
#define glVertex2f gl11::Vertex2f
#define glVertex3f gl11::Vertex3f
#define glVertex3fv gl11::Vertex3fv
#define glNormal3f gl11::Normal3f
#define glNormal3fv gl11::Normal3fv
#define glTexCoord2f gl11::TexCoord2f
#define glTexCoord2fv gl11::TexCoord2fv
#define glColor3f gl11::Color3f
#define glColor4f gl11::Color4f
#define glColor4fv gl11::Color4fv
#define glEnable gl11::Enable
#define glDisable gl11::Disable
#define glMatrixMode gl11::MatrixMode
#define glLoadIdentity gl11::LoadIdentity
#define glPushMatrix gl11::PushMatrix
#define glPopMatrix gl11::PopMatrix
#define glTranslatef gl11::Translatef
#define glRotatef gl11::Rotatef
#define glScalef gl11::Scalef
#define glOrtho gl11::Ortho
#define glMultMatrixd gl11::MultMatrixd
#define gluOrtho2D gl11::Ortho2D
#define gluPerspective gl11::Perspective
#define gluProject gl11::Project
#define glGetDoublev gl11::GetDoublev
#define glGetFloatv gl11::GetFloatv
#define glGetIntegerv gl11::GetIntegerv
#define glGetError gl11::GetError
#define glViewport gl11::Viewport
#define glClear gl11::Clear
#define glClearColor gl11::ClearColor
#define glBlendFunc gl11::BlendFunc
#define glDepthMask gl11::DepthMask
#define glPolygonOffset gl11::PolygonOffset
#define glPolygonMode gl11::PolygonMode
#define glShadeModel gl11::ShadeModel
#define glLineWidth gl11::LineWidth
#define glLightfv gl11::Lightfv
#define glMaterialfv gl11::Materialfv
#define glTexEnvi gl11::TexEnvi
#define glGenTextures gl11::GenTextures
#define glDeleteTextures gl11::DeleteTextures
#define glBindTexture gl11::BindTexture
#define glIsTexture gl11::IsTexture
#define glTexImage2D gl11::TexImage2D
#define glTexParameteri gl11::TexParameteri
#define glPixelStorei gl11::PixelStorei
#define gluBuild2DMipmaps gl11::Build2DMipmaps
#define glGenLists gl11::GenLists
#define glNewList gl11::NewList
#define glEndList gl11::EndList
#define glCallList gl11::CallList
#define glDeleteLists gl11::DeleteLists
#define glPushAttrib gl11::PushAttrib
#define glPopAttrib gl11::PopAttrib
#define glPushClientAttrib gl11::PushClientAttrib
#define glPopClientAttrib gl11::PopClientAttrib
#define glBitmap gl11::Bitmap
#define glReadBuffer gl11::ReadBuffer
#define glReadPixels gl11::ReadPixels
