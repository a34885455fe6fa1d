#include "crypto/clsRC4.h"

#include "crypto/round_half_even.h"
#include "crypto/wipe.h"
#include "crypto/xor_kernels.h"
#include "text/codepage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

// The keystream is kept as long as the longest array seen under the key (the batches' blocks of 100000
// bytes, each from the keystream's first byte, are then one XOR each), up to this length; bytes beyond it
// are generated as they are needed, so that the kept keystream does not grow with the largest array ever
// seen. A short array costs only its own length: nothing is generated ahead of need.
constexpr std::size_t kMaxKeystream = std::size_t{16} << 20;

constexpr std::size_t kStateSize = 256;

struct Generator {
    std::uint8_t s[kStateSize];
    std::uint8_t i = 0, j = 0;

    // The next keystream byte: the standard RC4 output step.
    std::uint8_t Next() noexcept {
        ++i;
        const std::uint8_t si = s[i];
        j = static_cast<std::uint8_t>(j + si);
        const std::uint8_t sj = s[j];
        s[i] = sj;
        s[j] = si;
        return s[static_cast<std::uint8_t>(si + sj)];
    }
    void Wipe() noexcept {
        crypto_detail::Wipe(s, sizeof s);
        i = j = 0;
    }
};

} // namespace

struct clsRC4::Keystream {
    std::vector<std::uint8_t> bytes; // keystream bytes 0 .. bytes.size()-1
    Generator after;                 // the generator positioned after them

    explicit Keystream(const std::uint8_t (&state)[kStateSize]) { std::memcpy(after.s, state, kStateSize); }
    ~Keystream() {
        crypto_detail::Wipe(bytes.data(), bytes.size());
        after.Wipe();
    }
    Keystream(const Keystream&) = delete;
    Keystream& operator=(const Keystream&) = delete;

    // Makes at least `length` bytes available. The old buffer is wiped before it is released.
    void Extend(std::size_t length) {
        if (length <= bytes.size())
            return;
        if (length > bytes.capacity()) {
            // Room for twice as much: a keystream grown by many small arrays is copied a few times only.
            std::vector<std::uint8_t> grown;
            grown.reserve(std::max(length, std::min(2 * bytes.capacity(), kMaxKeystream)));
            grown.assign(bytes.begin(), bytes.end());
            crypto_detail::Wipe(bytes.data(), bytes.size());
            bytes.swap(grown);
        }
        std::size_t k = bytes.size();
        bytes.resize(length);
        for (; k < length; ++k)
            bytes[k] = after.Next();
    }
};

namespace {

// XORs consecutive pieces of an array with consecutive keystream bytes: from the kept keystream as far as
// it reaches, then from a generator started where it ends.
class KeystreamReader {
public:
    explicit KeystreamReader(const std::vector<std::uint8_t>& kept, const Generator& after)
        : kept_(kept), after_(after) {}
    ~KeystreamReader() {
        if (generating_)
            generator_.Wipe();
    }
    KeystreamReader(const KeystreamReader&) = delete;
    KeystreamReader& operator=(const KeystreamReader&) = delete;

    // out[k] = in[k] ^ keystream byte, for the next n keystream bytes; out may be in itself.
    void Apply(std::uint8_t* out, const std::uint8_t* in, std::size_t n) noexcept {
        if (position_ < kept_.size()) {
            const std::size_t m = std::min(n, kept_.size() - position_);
            xorkernels::Xor(out, in, kept_.data() + position_, m);
            out += m;
            in += m;
            n -= m;
            position_ += m;
        }
        if (n == 0)
            return;
        if (!generating_) {
            generator_ = after_;
            generating_ = true;
        }
        for (std::size_t k = 0; k < n; ++k)
            out[k] = static_cast<std::uint8_t>(in[k] ^ generator_.Next());
        position_ += n;
    }

private:
    const std::vector<std::uint8_t>& kept_;
    const Generator& after_;
    Generator generator_;
    bool generating_ = false;
    std::size_t position_ = 0;
};

} // namespace

clsRC4::clsRC4() : stream_(std::make_shared<Keystream>(state_)) {}

clsRC4::~clsRC4() {
    crypto_detail::Wipe(keyText_.data(), keyText_.size());
    crypto_detail::Wipe(state_, sizeof state_);
    // stream_ wipes itself when the last call holding it has ended.
}

void clsRC4::Key(const std::string& New_Value) {
    if (New_Value == keyText_)
        return;
    crypto_detail::Wipe(keyText_.data(), keyText_.size());
    keyText_ = New_Value;

    std::string key = codepage::ToAnsi(New_Value);
    if (key.empty()) {
        // No key bytes: back to the state of a new instance.
        std::memset(state_, 0, sizeof state_);
    } else {
        // The standard RC4 key schedule; only the first 256 key bytes can take part.
        for (std::size_t n = 0; n < kStateSize; ++n)
            state_[n] = static_cast<std::uint8_t>(n);
        std::uint8_t j = 0;
        for (std::size_t i = 0; i < kStateSize; ++i) {
            j = static_cast<std::uint8_t>(j + static_cast<std::uint8_t>(key[i % key.size()]) + state_[i]);
            std::swap(state_[i], state_[j]);
        }
        crypto_detail::Wipe(key.data(), key.size());
    }
    // The keystream of the new key is generated when the next call needs it.
    stream_ = std::make_shared<Keystream>(state_);
}

void clsRC4::EncryptByte(std::span<std::uint8_t> ByteArray, const std::string& Key) {
    EncryptByte(ByteArray, ByteArray, Key);
}

void clsRC4::EncryptByte(std::span<const std::uint8_t> Source, std::span<std::uint8_t> Target,
                         const std::string& Key) {
    if (Target.size() != Source.size())
        throw std::invalid_argument("clsRC4::EncryptByte: source and target differ in size");
    if (!Key.empty())
        this->Key(Key);

    // Every call starts from the key-scheduled state, so all calls under one key share one keystream.
    const std::shared_ptr<Keystream> stream = stream_;
    const std::size_t n = Source.size();
    // Only the outermost call extends the kept keystream: a call made from a Progress subscriber must not
    // move the buffer the outer call is reading.
    if (depth_ == 0)
        stream->Extend(std::min(n, kMaxKeystream));

    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } inCall(depth_);

    KeystreamReader reader(stream->bytes, stream->after);
    const std::uint8_t* const in = Source.data();
    std::uint8_t* const out = Target.data();
    if (!progress_) {
        reader.Apply(out, in, n);
        return;
    }

    // With a subscriber, the events come exactly where a byte-by-byte loop raises them: after byte k
    // whenever k >= next, with Percent and next computed in the same double-precision arithmetic. The
    // bytes between two events are one XOR.
    const ProgressHandler progress = progress_; // stays valid if the subscriber unsubscribes
    const double total = static_cast<double>(n);
    std::size_t done = 0;   // bytes transformed so far
    std::uint64_t next = 0; // the byte position of the next event
    std::int32_t percent = 0;
    while (true) {
        const std::uint64_t at = std::max<std::uint64_t>(done, next);
        if (at >= n)
            break;
        reader.Apply(out + done, in + done, static_cast<std::size_t>(at) + 1 - done);
        done = static_cast<std::size_t>(at) + 1;
        percent = static_cast<std::int32_t>(std::floor(static_cast<double>(at) / total * 100.0));
        next = static_cast<std::uint64_t>(rounding::RoundHalfEven((percent + 1) / 100.0 * total + 1.0));
        progress(percent);
    }
    reader.Apply(out + done, in + done, n - done);
    if (percent != 100)
        progress(100);
}
