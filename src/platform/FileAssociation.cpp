#include "platform/FileAssociation.h"

#include <gio/gio.h>

#include <memory>

namespace qv {

namespace {

struct TGFree {
    void operator()(void* p) const { g_free(p); }
};
using TGString = std::unique_ptr<gchar, TGFree>;

struct TGUnref {
    void operator()(void* p) const { g_object_unref(p); }
};

} // namespace

std::string RegisteredOpenCommand(const std::string& extension)
{
    // Only the name is looked at: no file of that name needs to exist.
    const std::string name = "x" + extension;
    gboolean uncertain = FALSE;
    const TGString type(g_content_type_guess(name.c_str(), nullptr, 0, &uncertain));
    // A name that matches no pattern gives the generic "unknown" type.
    if (!type || g_content_type_is_unknown(type.get())) return {};
    const std::unique_ptr<GAppInfo, TGUnref> app(g_app_info_get_default_for_type(type.get(), FALSE));
    if (!app) return {};
    const char* commandLine = g_app_info_get_commandline(app.get());
    return commandLine ? commandLine : std::string();
}

std::string RegisteredOpenCommandForMnf() { return RegisteredOpenCommand(".mnf"); }

std::string FindProgramInPath(const std::string& name)
{
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return name;
    const TGString path(g_find_program_in_path(name.c_str()));
    return path ? path.get() : std::string();
}

} // namespace qv
