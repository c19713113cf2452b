#pragma once

#include <string>

// Synthetic cockpits for benchmarks and stress tests: a manager, sounds, buttons, and panels
// of lights and button views (all with transparent template pieces), linked in a ring.
class CCockpitGenerator
{
public:
    // About `records` records in all; each panel lists up to perPanel lights and button views.
    static std::string Generate(int records, int perPanel = 2000);
    // The id of the first panel (it lists perPanel records when records allows).
    static constexpr int kFirstPanel = 100;
};
