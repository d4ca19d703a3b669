#include "view3d/EglContext.h"

#include "view3d/scene/GLRender.h"
#include "view3d/scene/GLScene.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>

namespace qv {

namespace {

std::string EglErrorText(const char* what)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", unsigned(eglGetError()));
    return std::string(what) + " (EGL error " + code + ")";
}

} // namespace

TEglContext::TEglContext()
{
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) {
        fError = "EGL has no platform displays (eglGetPlatformDisplayEXT)";
        return;
    }
    EGLDisplay dpy = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (dpy == EGL_NO_DISPLAY) {
        fError = EglErrorText("no surfaceless EGL display");
        return;
    }
    fDisplay = dpy;
    EGLint major = 0, minor = 0;
    if (!eglInitialize(dpy, &major, &minor)) {
        fError = EglErrorText("EGL could not be initialized");
        return;
    }
    fInitialized = true;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        fError = EglErrorText("EGL offers no desktop OpenGL");
        return;
    }
    // The renderer uses the fixed-function pipeline: a compatibility profile.
    const EGLint attribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                              EGL_NONE};
    EGLContext ctx = eglCreateContext(dpy, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attribs);
    if (ctx == EGL_NO_CONTEXT) {
        fError = EglErrorText("no OpenGL context could be created");
        return;
    }
    fContext = ctx;
    fGroup = scene::cache::RegisterGroup();
}

TEglContext::~TEglContext()
{
    if (fContext) {
        if (MakeCurrent()) scene::FlushCache(fGroup);
        DoneCurrent();
        // The context's lists and textures go with it.
        scene::cache::ReleaseGroup(fGroup);
        eglDestroyContext(fDisplay, fContext);
    }
    if (fInitialized) eglTerminate(fDisplay);
}

bool TEglContext::MakeCurrent()
{
    return fContext && eglMakeCurrent(fDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, fContext);
}

void TEglContext::DoneCurrent()
{
    if (fDisplay) eglMakeCurrent(fDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

} // namespace qv
