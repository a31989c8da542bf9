#pragma once
// The preview page as bytes on disk, in the charset its template declares,
// so that the browser shows every character of the seller's code.

#include <string>
#include <string_view>

namespace lumdrift {

// True when the page declares UTF-8 within its first 1024 bytes, where a
// browser looks for the declaration.
bool declaresUtf8(std::string_view page);

// GBK bytes; a character GBK cannot hold is written as a decimal numeric
// character reference, which the browser turns back into the character.
std::string gbkWithReferences(std::string_view text);

// UTF-8 when the page declares it, else GBK with references: the template
// site's pages have always been GBK.
std::string pageBytes(std::string_view page);

}  // namespace lumdrift
