#include "online/DefinitionsCipher.h"

#include <QByteArray>

#include <gcrypt.h>

#include <array>
#include <mutex>

namespace {

// A registry-style GUID in braces inside square brackets. Changing it makes every definitions
// file written so far unreadable.
constexpr char kKeyText[] = "[{475C092F-3F6B-4110-90CF-863E0F035B34}]";
static_assert(sizeof(kKeyText) - 1 == 40, "the key text has 40 single-byte characters");

constexpr size_t kKeyLength = 56;
constexpr size_t kBlockLength = 8;

void initializeGcrypt()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Another library of the process may have set libgcrypt up already.
        if (gcry_control(GCRYCTL_INITIALIZATION_FINISHED_P))
            return;
        gcry_check_version(nullptr);
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    });
}

void wipe(void *data, size_t length)
{
    volatile unsigned char *p = static_cast<volatile unsigned char *>(data);
    while (length--)
        *p++ = 0;
}

// A cipher handle that is closed (libgcrypt wipes its context) however the line ends.
class Cipher
{
public:
    explicit Cipher(int mode)
    {
        if (gcry_cipher_open(&m_handle, GCRY_CIPHER_BLOWFISH, mode, 0) != 0)
            m_handle = nullptr;
    }
    ~Cipher()
    {
        if (m_handle)
            gcry_cipher_close(m_handle);
    }
    Cipher(const Cipher &) = delete;
    Cipher &operator=(const Cipher &) = delete;
    gcry_cipher_hd_t get() const { return m_handle; }

private:
    gcry_cipher_hd_t m_handle = nullptr;
};

// A fresh CFB8 cipher keyed and primed for one line, or nothing on failure.
bool runLine(const QByteArray &in, QByteArray *out, bool encrypt)
{
    initializeGcrypt();
    std::array<unsigned char, 64> digest{};
    gcry_md_hash_buffer(GCRY_MD_SHA512, digest.data(), kKeyText, sizeof(kKeyText) - 1);

    bool ok = false;
    {
        std::array<unsigned char, kBlockLength> chain{};
        Cipher block(GCRY_CIPHER_MODE_ECB);
        Cipher stream(GCRY_CIPHER_MODE_CFB8);
        if (block.get() && stream.get() && gcry_cipher_setkey(block.get(), digest.data(), kKeyLength) == 0 &&
            gcry_cipher_encrypt(block.get(), chain.data(), chain.size(), nullptr, 0) == 0 &&
            gcry_cipher_setkey(stream.get(), digest.data(), kKeyLength) == 0 &&
            gcry_cipher_setiv(stream.get(), chain.data(), chain.size()) == 0) {
            out->resize(in.size());
            auto *target = reinterpret_cast<unsigned char *>(out->data());
            const auto *source = reinterpret_cast<const unsigned char *>(in.constData());
            const gcry_error_t error = in.isEmpty() ? 0
                                       : encrypt
                                           ? gcry_cipher_encrypt(stream.get(), target, out->size(), source, in.size())
                                           : gcry_cipher_decrypt(stream.get(), target, out->size(), source, in.size());
            ok = error == 0;
        }
        wipe(chain.data(), chain.size());
    }
    wipe(digest.data(), digest.size());
    if (!ok)
        out->clear();
    return ok;
}

} // namespace

QString DecryptStr(const QString &line)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(line.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return QString();
    QByteArray plain;
    if (!runLine(*decoded, &plain, false))
        return QString();
    return QString::fromUtf8(plain);
}

QString EncryptStr(const QString &plain)
{
    QByteArray cipherText;
    if (!runLine(plain.toUtf8(), &cipherText, true))
        return QString();
    return QString::fromLatin1(cipherText.toBase64());
}
