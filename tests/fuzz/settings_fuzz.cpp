// The number rules of the settings: the strict rule gives the lenient rule's number or refuses
// the text, and every 32-bit number written in decimal reads back as itself.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "options/SettingsText.h"
#include "toolkit/Error.h"

using namespace fondex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::int32_t lenient = options::NumberValue(text);
  try {
    FUZZ_CHECK(options::StrictIntegerValue(text) == lenient);
  } catch (const Error& error) {
    // The message is a C string: it ends at a NUL byte of the text.
    const std::string message = "'" + text + "' is not a valid integer value";
    FUZZ_CHECK(std::string(error.what()) == message.c_str());
  }
  if (size >= sizeof(std::int32_t)) {
    std::int32_t number = 0;
    std::memcpy(&number, data, sizeof number);
    const std::string decimal = std::to_string(number);
    FUZZ_CHECK(options::NumberValue(decimal) == number);
    FUZZ_CHECK(options::StrictIntegerValue(decimal) == number);
    FUZZ_CHECK(options::NumberValue(" " + decimal) == number);
  }
  return 0;
}
