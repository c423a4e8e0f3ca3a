#pragma once

// What every fuzz target shares: a Qt application object (settings and file names need one),
// the en_US locale the tests use too, a settings store of its own, and the check that turns a
// broken promise into a crash libFuzzer reports with the input that caused it.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

namespace FuzzSupport {

// Creates the application object and a private folder for settings and files; call from
// LLVMFuzzerInitialize.
void initialize(int* argc, char*** argv);

// A private folder that lives as long as the fuzzing run.
QString scratchFolder();

// Stops the run with a message when a promise of the code under test does not hold.
void require(bool condition, const char* promise, const QString& detail = QString());

// Text from raw bytes, read as UTF-8 as the programs read their arguments (invalid sequences
// become replacement characters).
QString text(const std::string& bytes);

} // namespace FuzzSupport
