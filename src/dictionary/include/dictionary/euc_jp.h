#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The dictionary comes in EUC-JP; word files hold CP932. Both encode JIS X
// 0208, so its two-byte codes move from one to the other by arithmetic and
// the text then goes through the same codec as every word file.
namespace dictionary {

// EUC-JP bytes as CP932 bytes: ASCII as it is, JIS X 0208 codes (two bytes
// 0xA1..0xFE) to their Shift-JIS codes, half-width katakana (0x8E xx) to
// their single bytes. Nothing when the text holds a JIS X 0212 character
// (0x8F xx xx), which has no CP932 code, or a byte sequence EUC-JP does not
// allow: such text cannot be written to a word file as it stands.
std::optional<QByteArray> eucJpToCp932(QByteArrayView euc);

// Appends the CP932 bytes to `out` instead; false (with `out` as it was)
// where eucJpToCp932 gives nothing.
bool appendCp932(QByteArrayView euc, QByteArray& out);

} // namespace dictionary
