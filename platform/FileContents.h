#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace nameshift::platform {

// The bytes of a file to be written: a text already in memory, or pieces made one after the
// other as they are written. A batch's journal and restore file are as large as all its names
// together, and are written piece by piece so that they never sit in memory beside the names
// they are made from.
class FileContents {
public:
    // Puts piece `index` (0, 1, ...) into `piece`, which comes empty; false once there are no
    // more. Asked in order, and asked again from 0 should the file be written once more.
    using PieceSource = std::function<bool(std::size_t index, std::string& piece)>;

    FileContents(std::string_view text) : text_(text) {}
    FileContents(const std::string& text) : text_(text) {}
    FileContents(const char* text) : text_(text) {}
    explicit FileContents(PieceSource pieces) : pieces_(std::move(pieces)) {}

    // Hands each piece to `write` in order until `write` returns false; false then.
    template <typename Write>
    bool forEachPiece(Write&& write) const {
        if (!pieces_) {
            return write(text_);
        }
        std::string piece;
        for (std::size_t index = 0;; ++index) {
            piece.clear();
            if (!pieces_(index, piece)) {
                return true;
            }
            if (!write(std::string_view(piece))) {
                return false;
            }
        }
    }

    // Puts piece `index` into `piece`, which comes empty; false once there are no more. A text
    // held whole is its one piece.
    bool piece(std::size_t index, std::string& piece) const {
        if (pieces_) {
            return pieces_(index, piece);
        }
        if (index != 0) {
            return false;
        }
        piece = text_;
        return true;
    }

    // The file is to be readable by its owner alone: it lists names that other users of a folder
    // they may not list must not learn.
    FileContents& ownerOnly() {
        ownerOnly_ = true;
        return *this;
    }
    bool readableByOwnerOnly() const { return ownerOnly_; }
    // The file is a program its owner runs, as a file manager's script.
    FileContents& runnable() {
        runnable_ = true;
        return *this;
    }
    unsigned permissions() const { return (ownerOnly_ ? 0600U : 0644U) | (runnable_ ? 0100U : 0U); }

    // Every byte in one string, for a writer that needs them whole.
    std::string gather() const {
        std::string text;
        forEachPiece([&text](std::string_view piece) {
            text += piece;
            return true;
        });
        return text;
    }

private:
    std::string_view text_;
    PieceSource pieces_;
    bool ownerOnly_ = false;
    bool runnable_ = false;
};

// Contents of a header, `count` entries and an end, the entries written `perPiece` at a time:
// `header(out)`, `entry(i, out)` for each entry and `end(out)` append their bytes to `out`.
template <typename Header, typename Entry, typename End>
FileContents contentsInRuns(std::size_t count, std::size_t perPiece, Header header, Entry entry,
                            End end) {
    // At least one piece after the header, which carries the end.
    const std::size_t runs = count == 0 ? 1 : (count + perPiece - 1) / perPiece;
    return FileContents([=](std::size_t piece, std::string& out) {
        if (piece == 0) {
            header(out);
            return true;
        }
        if (piece > runs) {
            return false;
        }
        const std::size_t first = (piece - 1) * perPiece;
        const std::size_t last = first + perPiece < count ? first + perPiece : count;
        for (std::size_t i = first; i < last; ++i) {
            entry(i, out);
        }
        if (piece == runs) {
            end(out);
        }
        return true;
    });
}

}  // namespace nameshift::platform
