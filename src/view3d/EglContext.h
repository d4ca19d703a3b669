#pragma once
// An OpenGL context with no window system: Mesa's surfaceless EGL platform
// gives a compatibility-profile context without any display, which draws
// into framebuffer objects only (RenderSceneToImage binds its own). Used by
// the program's headless picture export and by picture tests.
#include <cstdint>
#include <string>

namespace qv {

class TEglContext {
public:
    // Creates the context; IsValid tells whether it worked, ErrorText why
    // not. Does not make it current.
    TEglContext();
    ~TEglContext();
    TEglContext(const TEglContext&) = delete;
    TEglContext& operator=(const TEglContext&) = delete;

    bool IsValid() const { return fContext != nullptr; }
    const std::string& ErrorText() const { return fError; }
    bool MakeCurrent();
    void DoneCurrent();
    // The scene cache's group of this context (cache::RegisterGroup).
    uint64_t CacheGroup() const { return fGroup; }

private:
    void* fDisplay = nullptr; // EGLDisplay
    void* fContext = nullptr; // EGLContext
    bool fInitialized = false;
    uint64_t fGroup = 0;
    std::string fError;
};

} // namespace qv
