#include "msft_reader.h"

#include "platform/automation/type_info_layout.h"

#include <cstring>
#include <stdexcept>

namespace vorn::test {
namespace {

// The segments of the directory that follows the header, in their order.
enum Segment { TypeInfos, ImpInfo, ImpFiles, Guids = 5, Names = 7, TypeDescs = 9, Segments = 15 };

int version(std::int32_t word) {
    return (word & 0xFFFF) * 10 + ((word >> 16) & 0xFFFF);
}

struct Reader {
    std::span<const std::uint8_t> bytes;
    std::int32_t segment[Segments]{};

    template <class T> T at(std::int64_t offset) const {
        if (offset < 0 || offset + sizeof(T) > bytes.size())
            throw std::runtime_error("type library: read outside the file");
        T value;
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
        return value;
    }
    std::string text(std::int64_t offset, std::size_t length) const {
        if (offset < 0 || offset + length > bytes.size())
            throw std::runtime_error("type library: text outside the file");
        return {reinterpret_cast<const char*>(bytes.data() + offset), length};
    }
    std::string name(std::int32_t offset) const { // after a hash link and a length word
        const std::int32_t entry = segment[Names] + offset;
        return text(entry + 12, at<std::uint32_t>(entry + 8) & 0xFF);
    }
    automation::GUID guid(std::int32_t offset) const {
        return at<automation::GUID>(segment[Guids] + offset);
    }
    // A base type is in place with the high bit set; any other is a type
    // description: its variant type, then the type it refers to.
    MsftType type(std::int32_t encoded) const {
        MsftType t;
        for (; encoded >= 0; encoded = at<std::int32_t>(segment[TypeDescs] + encoded + 4)) {
            t.chain.push_back(at<std::uint16_t>(segment[TypeDescs] + encoded));
            if (t.chain.back() == automation::VT_USERDEFINED) {
                // An imported type: its entry's third word places its identifier.
                const auto ref = at<std::uint32_t>(segment[TypeDescs] + encoded + 4);
                t.imported = guid(at<std::int32_t>(segment[ImpInfo] + (ref & ~3u) + 8));
                return t;
            }
        }
        t.chain.push_back(encoded & 0x0FFF);
        return t;
    }
    // The records, then per member its id, its name, its record's offset.
    std::vector<MsftFunction> functions(std::int32_t block, int count, int all) const {
        std::vector<MsftFunction> result;
        const std::int32_t records = block + 4;
        const std::int32_t index = records + at<std::int32_t>(block);
        for (int i = 0; i < count; ++i) {
            const std::int32_t record = records + at<std::int32_t>(index + 4 * (2 * all + i));
            const auto params = at<std::int16_t>(record + 20);
            MsftFunction f{name(at<std::int32_t>(index + 4 * (all + i))),
                           at<std::int32_t>(index + 4 * i),
                           (at<std::int32_t>(record + 16) >> 3) & 0xF,
                           at<std::int16_t>(record + 12),
                           {}};
            const std::int32_t end = record + at<std::uint16_t>(record); // three words a parameter
            for (int p = params; p > 0; --p)
                f.params.push_back(type(at<std::int32_t>(end - 12 * p)));
            result.push_back(std::move(f));
        }
        return result;
    }
};

} // namespace

MsftLibrary readMsft(std::span<const std::uint8_t> bytes) {
    Reader r{bytes};
    const auto header = [&](int word) { return r.at<std::int32_t>(4 * word); };
    if (header(0) != 0x5446534D) // "MSFT"
        throw std::runtime_error("type library: not in the MSFT format");
    const int typeCount = header(8);
    const std::int32_t offsets = 84 + ((header(5) & 0x100) ? 4 : 0); // a help DLL adds a word
    const std::int32_t directory = offsets + 4 * typeCount;
    for (int s = 0; s < Segments; ++s)
        r.segment[s] = r.at<std::int32_t>(directory + 16 * s);

    MsftLibrary lib{r.name(header(14)),
                    r.guid(header(2)),
                    static_cast<std::uint32_t>(header(3)),
                    header(5) & 0xF,
                    version(header(6)),
                    header(7),
                    header(9) != -1,
                    header(15) != -1,
                    {},
                    {}};
    // Each imported library: identifier, lcid, version, its file name's
    // length times four in 16 bits, the name, padding to a word.
    const std::int32_t end =
        r.segment[ImpFiles] + r.at<std::int32_t>(directory + 16 * ImpFiles + 4);
    for (std::int32_t at = r.segment[ImpFiles]; at < end;) {
        const std::size_t length = r.at<std::uint16_t>(at + 12) >> 2;
        lib.imports.push_back({r.text(at + 14, length), r.guid(r.at<std::int32_t>(at)),
                               version(r.at<std::int32_t>(at + 8))});
        at += (14 + static_cast<std::int32_t>(length) + 3) & ~3;
    }
    for (int t = 0; t < typeCount; ++t) {
        const std::int32_t at = r.segment[TypeInfos] + r.at<std::int32_t>(offsets + 4 * t);
        const auto word = [&](int i) { return r.at<std::int32_t>(at + 4 * i); };
        const int functions = word(6) & 0xFFFF, variables = word(6) >> 16;
        lib.types.push_back({r.name(word(13)), r.guid(word(11)), word(0) & 0xF, word(12),
                             r.at<std::int16_t>(at + 76),
                             functions ? r.functions(word(1), functions, functions + variables)
                                       : std::vector<MsftFunction>{}});
    }
    return lib;
}

} // namespace vorn::test
