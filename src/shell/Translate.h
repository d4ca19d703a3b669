#pragma once
// The user-interface texts through GNU gettext message catalogues: the
// English text is the key, and the catalogue of the program's language may
// replace it. The language is fixed to English, whatever the user's locale
// environment says; with no catalogue every text stays as written.
//
// Catalogues: <folder>/<language>/LC_MESSAGES/default.mo, text domain
// "default". The build puts the English catalogue into "locale" beside the
// program; an installed program finds it in its data folder.
//
// Why glibc's gettext and not a reader of our own: glibc looks catalogues up
// only when the messages locale is not "C", and honours the language list
// in $LANGUAGE only then. "C.UTF-8" is built into Debian 12's C library
// (no locales package and no generated locale needed), so the messages
// locale "C.UTF-8" with LANGUAGE=en finds locale/en/LC_MESSAGES/default.mo
// on any machine. Both are set here, over whatever the user had, so LANG,
// LC_ALL and LANGUAGE cannot change the language. Where "C.UTF-8" were
// missing, nothing would be translated: the texts would be the English
// keys, which is what the English catalogue holds anyway.
#include <QString>

#include <string>

namespace qv {

inline constexpr const char* kTextDomain = "default";
inline constexpr const char* kProgramLanguage = "en";

// Fixes the language Language and takes the catalogues from Folder (the
// folder holding <language>/LC_MESSAGES/default.mo). Called at start-up,
// after the application object (which sets the user's locale); tests call
// it again to point the lookup at a catalogue of their own.
void UseLanguage(const std::string& Folder, const char* Language = kProgramLanguage);

// The catalogue folder of the running program: "locale" beside the
// executable when it holds a catalogue of the program's language, otherwise
// the installed data folder (<prefix>/share/quorvane-viewer/locale beside
// <prefix>/bin), otherwise "locale" beside the executable all the same.
std::string DefaultCatalogueFolder();

// The catalogue's text for Text, or Text itself when the catalogue has none
// (or there is no catalogue). The empty text stays empty.
std::string Translate(const std::string& Text);
QString Translate(const QString& Text);
QString Translate(const char* Text);

} // namespace qv
