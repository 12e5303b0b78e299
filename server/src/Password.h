// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A password is kept only as an HMAC-SHA-256 keyed with a secret that lives in
// a file beside the database, never in it: the key of the entry it may replace,
// found through an index. Entries from before keep a salted SHA-256 until their
// player submits again.

#include <stdexcept>
#include <string>

namespace ranking {

struct SecretError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr std::size_t SecretBytes = 32;

// The secret in file (hex on one line), made with owner-only access when the
// file is missing. Throws SecretError when it cannot be read, made or is damaged.
std::string LoadOrCreateSecret(const std::string &file);
bool SecretFileExists(const std::string &file);

// HMAC-SHA-256 of text and password under secret, hex.
std::string PasswordKey(const std::string &secret, const std::string &kyokumei, const std::string &password);

// The former form: SHA-256 of the salt bytes then the password, both hex.
bool PasswordMatches(const std::string &password, const std::string &saltHex, const std::string &hashHex);

} // namespace ranking
