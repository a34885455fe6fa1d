#include "host/temporary_name.h"

#include <random>

namespace host {
namespace {

constexpr char Mark[] = ".tessarin-";
constexpr char Ending[] = ".tmp";
constexpr std::size_t RandomLength = 6;
constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";

} // namespace

std::string TemporaryName(const std::string& name, std::size_t maxBytes) {
    // Seeded once from the system: two processes writing the same output pick different names, and the
    // exclusive create settles what is left.
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(Letters) - 2);
    std::string tail = Mark;
    for (std::size_t i = 0; i < RandomLength; ++i)
        tail += Letters[pick(random)];
    tail += Ending;
    std::size_t keep = name.size();
    if (keep + tail.size() > maxBytes) {
        keep = maxBytes > tail.size() ? maxBytes - tail.size() : 0;
        // Not inside a UTF-8 sequence: back to the start of the character there.
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
    }
    return name.substr(0, keep) + tail;
}

bool IsTemporaryName(const std::string& name) noexcept {
    const std::size_t tail = sizeof(Mark) - 1 + RandomLength + sizeof(Ending) - 1;
    if (name.size() < tail)
        return false;
    const std::size_t at = name.size() - tail;
    return name.compare(at, sizeof(Mark) - 1, Mark) == 0 &&
           name.compare(name.size() - (sizeof(Ending) - 1), sizeof(Ending) - 1, Ending) == 0;
}

} // namespace host
