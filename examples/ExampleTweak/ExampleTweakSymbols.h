#pragma once

// The system symbol names the example tweak's documents use beyond the kit's own, mapped onto
// icon-font ligatures once per process.
class ExampleTweakSymbols {
public:
    static void registerOnce();
};
