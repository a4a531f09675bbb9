#pragma once

// The OpenGL entry points of the compatibility profile, fixed function and
// framebuffer objects, called directly: the GL library dispatches them to the
// current context.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
