// Every return of the generated sources leaves the structures its function
// locked unlocked again: a failure path must not leave a handle locked.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_interface/interface_source.h"
#include "support/generate.h"
#include "support/records.h"

namespace bw {
namespace {

// A return reached with handles still locked.
struct LeftLocked {
    int line;
    std::string handles;
    std::string text;
};

// Follows the generated C line by line, as its writers lay it out: a lock
// tested in an "if" is held after the "if" and not inside it, a block that
// returns leaves the state as it found it, and a function starts with nothing
// locked.
class LockTracker {
public:
    std::vector<LeftLocked> Scan(const std::vector<std::string>& lines) {
        for (size_t n = 0; n < lines.size(); ++n) {
            Step(static_cast<int>(n + 1), lines[n]);
        }
        return found_;
    }

private:
    struct Open {
        std::set<std::string> locked;
        std::string lockedAfter;
    };

    void Step(int number, const std::string& line) {
        static const std::regex FUNCTION("^\\w.*\\(.*\\)\\s*$");
        static const std::regex LOCK("GlobalLock\\s*\\(([^)]+)\\)");
        static const std::regex TESTED("==\\s*NULL");
        static const std::regex UNLOCK("GlobalUnlock\\s*\\(([^)]+)\\)");
        static const std::regex RETURN("\\breturn\\b");
        const std::string code = line.substr(0, line.find("//"));
        if (open_.empty() && std::regex_match(code, FUNCTION)) {
            locked_.clear();
        }
        const std::string heldAfterNextLine = pending_;
        pending_.clear();
        std::string heldAfterBlock;
        std::smatch match;
        if (std::regex_search(code, match, LOCK)) {
            if (!std::regex_search(code, TESTED)) {
                locked_.insert(match[1]);
            } else if (code.find('{') != std::string::npos) {
                heldAfterBlock = match[1];
            } else {
                pending_ = match[1];
            }
        }
        for (auto it = std::sregex_iterator(code.begin(), code.end(), UNLOCK);
             it != std::sregex_iterator(); ++it) {
            locked_.erase((*it)[1]);
        }
        if (std::regex_search(code, RETURN) && !locked_.empty()) {
            std::string handles;
            for (const std::string& handle : locked_) {
                handles += handle + " ";
            }
            found_.push_back({number, handles, line});
        }
        if (!heldAfterNextLine.empty()) {
            locked_.insert(heldAfterNextLine);
        }
        for (char c : code) {
            if (c == '}' && !open_.empty()) {
                locked_ = open_.back().locked;
                if (!open_.back().lockedAfter.empty()) {
                    locked_.insert(open_.back().lockedAfter);
                }
                open_.pop_back();
            } else if (c == '{') {
                open_.push_back({locked_, heldAfterBlock});
                heldAfterBlock.clear();
            }
        }
        if (!heldAfterBlock.empty()) {
            locked_.insert(heldAfterBlock);
        }
    }

    std::set<std::string> locked_;
    std::vector<Open> open_;
    std::string pending_;
    std::vector<LeftLocked> found_;
};

BLOCKINFO Shape(int inputs, int outputs, const char* flags) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Gain";
    block.NumInputs = inputs;
    block.NumOutputs = outputs;
    block.BlockType = BLOCKINFO::BlockTypeFor(inputs, outputs);
    const auto has = [flags](char flag) {
        return std::string(flags).find(flag) != std::string::npos;
    };
    block.RealTime = has('R');
    block.Matrix = has('M');
    block.Bitmap = block.Image = has('B');
    block.Native = has('N');
    block.UserControl = has('U');
    if (has('X')) {
        block.xDAIS = 1;
        block.AlgorithmName = "FIR";
        block.VendorName = "TI";
    }
    if (has('L')) {
        AddLocalArray(block, "history", "16", TYPE_FLOAT);
    }
    return block;
}

TEST(GeneratedLocks, EveryReturnLeavesNothingLocked) {
    const BLOCKINFO shapes[] = {
        Shape(1, 1, "L"), Shape(2, 1, "M"),   Shape(0, 1, "M"),  Shape(2, 1, "BL"),
        Shape(1, 0, "B"), Shape(2, 1, "RL"),  Shape(2, 2, "RM"), Shape(0, 1, "RMU"),
        Shape(0, 2, "R"), Shape(1, 1, "RBN"), Shape(1, 1, "RX"), Shape(1, 1, "RML"),
    };
    for (const BLOCKINFO& block : shapes) {
        const std::string what =
            std::to_string(block.NumInputs) + " in, " + std::to_string(block.NumOutputs) + " out" +
            (block.RealTime ? ", real-time" : "") + (block.Matrix ? ", matrix" : "") +
            (block.Bitmap ? ", bitmap" : "");
        struct Source {
            const char* name;
            Generator generator;
        };
        for (const Source& source :
             {Source{"IFGain.c", WriteInterfaceSource}, Source{"Gain.c", WriteUserSource}}) {
            const std::string name = source.name;
            if (block.RealTime && name == "Gain.c") {
                continue;  // a DSP-based block has no user source
            }
            for (const LeftLocked& left :
                 LockTracker().Scan(Lines(Generate(source.generator, block, name)))) {
                ADD_FAILURE() << what << ": " << name << " line " << left.line << " returns with "
                              << left.handles << "locked: " << left.text;
            }
        }
    }
}

}  // namespace
}  // namespace bw
