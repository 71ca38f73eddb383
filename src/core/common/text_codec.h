#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zvc {

// Windows-1251 bytes to UTF-8. The one code the code page leaves undefined, 0x98, becomes
// U+FFFD, so a stray byte shows as a replacement mark instead of vanishing.
std::string cp1251ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1251. A character the code page lacks becomes "?", and so does each
// ill-formed sequence (one "?" per longest broken prefix). U+FFFD has no form either.
std::string utf8ToCp1251(std::string_view utf8);

// Fixed-width text fields have no terminator: we pad with NUL, a controller may pad with
// blanks. Reading keeps the bytes before the first NUL and trims blanks on both ends.
std::string fieldToUtf8(const std::uint8_t* field, std::size_t size);

// Writes the Windows-1251 form of the text, cut to size and NUL-padded. Never writes past size.
void utf8ToField(std::string_view utf8, std::uint8_t* field, std::size_t size);

// Controller names may travel in DOS code page 866. These convert one field in place between
// Windows-1251 and CP866; characters the other side lacks become "_" or a look-alike.
void encodeCp866(std::uint8_t* field, std::size_t size);
void decodeCp866(std::uint8_t* field, std::size_t size);

// Upper case of Windows-1251 text, Cyrillic included, as Windows compares names.
std::string upperCp1251(std::string_view cp1251);

}  // namespace zvc
