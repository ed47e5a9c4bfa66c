#pragma once

// The pieces of a file as one reader reads them in order, shown to another
// that looks through the same file, so that it need not read them again. An
// unchanged check reads a generated file this way: the comparison shows what
// it reads to the splice's search for marker lines.

#include <cstddef>

namespace bw {

class SharedReading {
public:
    // How large the pieces are read, and the room kept before each piece
    // shown, for bytes the one looking still holds from the piece before.
    static constexpr size_t PIECE = 64 * 1024;
    static constexpr size_t ROOM_BEFORE = 64;

    class Looker {
    public:
        // size bytes at piece, the file from offset on, with ROOM_BEFORE
        // bytes before piece that the looker may write over.
        virtual void Look(size_t offset, char* piece, size_t size) = 0;

    protected:
        ~Looker() = default;
    };

    // Who is shown the pieces read from now on; null for nobody.
    void ShowTo(Looker* looker) { looker_ = looker; }
    void Show(size_t offset, char* piece, size_t size) {
        if (looker_ != nullptr) {
            looker_->Look(offset, piece, size);
        }
    }

private:
    Looker* looker_ = nullptr;
};

}  // namespace bw
