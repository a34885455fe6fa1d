#pragma once

// What the batches accept as a password and as a suffix, checked once for every front end before a
// batch touches anything.

#include <string>

// Why the password cannot key a container, or nullptr: a character Windows-1252 does not hold (the
// key is its bytes in that code page), or more than 32 characters. Whether it may be empty or only
// spaces is each batch's own rule.
const char* PasswordProblem(const std::string& password);

// Why the suffix cannot go into a restored file's name, or nullptr: a path separator of either system,
// which would move the restored file into another folder, or a character this system's names cannot
// hold. The message is to be followed by the suffix.
const char* SuffixProblem(const std::string& suffix);
