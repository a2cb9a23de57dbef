#pragma once

#include <QString>

// One line of the definitions file: Blowfish in 8-bit cipher feedback, keyed with the first 56
// bytes of the SHA-512 digest of our key text, the chaining value starting as the encryption of
// eight zero bytes, the result written in Base64. Every line stands alone.

// The plain text of one enciphered line; empty when the line is not Base64 or cannot be
// deciphered. Garbage in gives garbage out: a wrong line simply matches no key.
QString DecryptStr(const QString &line);
// The enciphered line for a plain text (the definitions tool writes files with it).
QString EncryptStr(const QString &plain);
