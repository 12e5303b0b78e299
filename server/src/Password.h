#pragma once
// Passwords are kept only as salted SHA-256 hashes.

#include <string>

namespace ranking {

struct PasswordHash {
    std::string salt; // 16 random bytes, hex
    std::string hash; // SHA-256 of salt bytes + password (UTF-8), hex
};

PasswordHash HashPassword(const std::string &password);
bool PasswordMatches(const std::string &password, const std::string &saltHex, const std::string &hashHex);

} // namespace ranking
