#include "shell/Translate.h"

#include <QCoreApplication>

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

namespace qv {

namespace {

bool HasCatalogue(const std::filesystem::path& folder)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(
        folder / kProgramLanguage / "LC_MESSAGES" / (std::string(kTextDomain) + ".mo"), ec);
}

} // namespace

void UseLanguage(const std::string& Folder, const char* Language)
{
    // Messages only: numbers and the rest keep what the program set.
    setlocale(LC_MESSAGES, "C.UTF-8");
    setenv("LANGUAGE", Language, 1);
    bindtextdomain(kTextDomain, Folder.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
    textdomain(kTextDomain);
}

std::string DefaultCatalogueFolder()
{
    const std::filesystem::path bin = QCoreApplication::applicationDirPath().toStdString();
    const std::filesystem::path beside = bin / "locale";
    if (HasCatalogue(beside)) return beside.string();
    const std::filesystem::path installed = bin.parent_path() / "share" / "quorvane-viewer" / "locale";
    if (HasCatalogue(installed)) return installed.string();
    return beside.string();
}

std::string Translate(const std::string& Text)
{
    // gettext("") is the catalogue's header, not a translation.
    if (Text.empty()) return Text;
    return dgettext(kTextDomain, Text.c_str());
}

QString Translate(const QString& Text)
{
    if (Text.isEmpty()) return Text;
    return QString::fromStdString(Translate(Text.toStdString()));
}

QString Translate(const char* Text) { return Translate(QString::fromUtf8(Text)); }

} // namespace qv
