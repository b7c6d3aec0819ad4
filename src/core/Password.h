#pragma once
// The access password and its file: "unins000.dll" in the program folder, an INI file whose
// key "Valore" of section "Accesso" holds the scrambled password, two upper-case hexadecimal
// digits per character.
//
// The password is stored upper-cased (only a to z) and trimmed. Each character is scrambled
// as one byte, so only characters with codes 0 to 255 (Latin-1) can be stored, and at most
// 255 of them; a password outside these limits is refused rather than stored in a form that
// could not be read back.
#include <QString>
#include <QStringView>

#include <optional>

namespace cal {

inline const QString kPasswordFile = QStringLiteral("unins000.dll");
inline const QString kPasswordSection = QStringLiteral("Accesso");
inline const QString kPasswordKey = QStringLiteral("Valore");
inline constexpr int kPasswordMaxLength = 255;
// The password the installation writes into a new program folder; the launcher's help topic
// tells it to the user. The program itself never writes it: a missing password file means
// that no password is accepted.
inline const QString kInitialPassword = QStringLiteral("CALVETRA");

// The letters a to z turned into A to Z (accented letters kept), then trimmed: what a typed
// password is compared as and what is stored.
QString normalisePassword(QStringView typed);

// The stored text of a password; nullopt when it is longer than 255 characters or holds a
// character whose code is above 255. An empty password gives an empty text.
std::optional<QString> scramble(QStringView password);

// The password of a stored text, read in pairs of hexadecimal digits (either case); a lone
// last character is ignored. nullopt when a pair is not made of two hexadecimal digits.
std::optional<QString> unscramble(QStringView stored);

// The stored password, unscrambled and trimmed: empty when the file, the section or the key is
// missing; nullopt (the reading error) when the file cannot be read or the value is not made
// of hexadecimal pairs.
std::optional<QString> readStoredPassword(const QString& programFolder);

enum class PasswordWrite {
    Written,
    Refused,       // too long, or a character above code 255: nothing was written
    WritingError,  // the file could not be read or written: the old password stays valid
};
// Normalises the password, scrambles it and writes it into the password file (created when
// missing, every other line kept).
PasswordWrite writeStoredPassword(const QString& programFolder, QStringView password);

}  // namespace cal
