// One flash card as the content keeps it.
#pragma once

#include <string>

namespace kestro {

struct FlashCard {
    std::string question;
    std::string answer;
    bool operator==(const FlashCard&) const = default;
};

} // namespace kestro
