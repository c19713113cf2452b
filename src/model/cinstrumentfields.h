#pragma once

#include <cstdint>

// What each moving instrument (ADI, DIAL, DIGITS, HSI, INDICATOR, LIGHT, MACHASI) tells the
// simulator besides its pictures. Each type reads and writes these keys itself, in its own
// order and with its own defaults.
struct CInstrumentFields
{
    uint32_t m_nCycleBits = 0xffff; // "cyclebits"
    int m_nCallbackSlot = -1;       // "callbackslot"
    // "persistant", kept as read (a LIGHT keeps "electrical", 3 in the file, as 2).
    int m_nPersistent = 0;
};
