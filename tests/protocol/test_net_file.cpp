#include <gtest/gtest.h>

#include "config/cp1252.h"
#include "protocol/net_file_encoder.h"

namespace trivex {
namespace {

using V = std::vector<std::string>;

TEST(NetFileEncoder, PiecesOfEightCharacters) {
  // Eight letters fill one piece; the line end starts the next one.
  EXPECT_EQ(NetFilePieces({"ABCDEFGH"}), (V{"ABCDEFGH", "\\r\\n"}));
  EXPECT_EQ(NetFilePieces({"ABCDEFG"}), (V{"ABCDEFG", "\\r\\n"}));  // "\r" does not fit
  EXPECT_EQ(NetFilePieces({"ABCDEF"}), (V{"ABCDEF\\r", "\\n"}));
  EXPECT_EQ(NetFilePieces({"ABCD", "EF"}), (V{"ABCD\\r\\n", "EF\\r\\n"}));
  EXPECT_EQ(NetFilePieces({}), V{});
  EXPECT_EQ(NetFilePieces({""}), (V{"\\r\\n"}));
}

TEST(NetFileEncoder, StartOfPieceRules) {
  // A digit, sign or point opening a piece is escaped; inside a piece it is itself.
  EXPECT_EQ(NetFilePieces({"1A2"}), (V{"\\ 1A2\\r", "\\n"}));
  EXPECT_EQ(NetFilePieces({"ABCDEFGH12"}), (V{"ABCDEFGH", "\\ 12\\r\\n"}));
  EXPECT_EQ(NetFilePieces({"ABCDEFGH-+.x"}), (V{"ABCDEFGH", "\\-+.x\\r", "\\n"}));
  EXPECT_EQ(NetFilePieces({"ABCDEFGH.5"}), (V{"ABCDEFGH", "\\.5\\r\\n"}));
  // A byte of 128 or more (Windows-1252) at the start of a piece.
  EXPECT_EQ(NetFilePieces({"ABCDEFGHÄx"}), (V{"ABCDEFGH", "\\\xC4x\\r\\n"}));
  EXPECT_EQ(NetFilePieces({"xÄ"}), (V{"x\xC4\\r\\n"}));
  // A form that does not fit moves whole to the next piece, with the start rules.
  EXPECT_EQ(NetFilePieces({"ABCDEF7"}), (V{"ABCDEF7", "\\r\\n"}));
  EXPECT_EQ(NetFilePieces({"ABCDEFG\t"}), (V{"ABCDEFG", "\\t\\r\\n"}));
}

TEST(NetFileEncoder, EscapedCharacters) {
  EXPECT_EQ(NetFilePieces({"a\"b'c"}), (V{"a\\x22b", "\\x27c\\r", "\\n"}));
  // A backslash is sent in hexadecimal, so the device never reads it as an escape.
  EXPECT_EQ(NetFilePieces({"C:\\n"}), (V{"C:\\x5Cn", "\\r\\n"}));
  EXPECT_EQ(NetFilePieces({std::string("\x01\x7", 2)}), (V{"\\x01\\g\\r", "\\n"}));
  EXPECT_EQ(NetFilePieces({std::string("\b\x1f", 2)}), (V{"\\b\\x1F\\r", "\\n"}));
}

TEST(NetFileEncoder, Elements) {
  EXPECT_EQ(NetFileElements({"AB"}), (V{"ZyrNetFSize=0", "ZyrNetFile=\"AB\\r\\n\""}));
  for (const auto& piece : NetFilePieces({"Some longer line\twith 123 and \"quotes\" \\ ÄÖÜ"}))
    EXPECT_LE(piece.size(), kNetFilePieceSize) << piece;
}

// What the device rebuilds from the pieces is the text, byte for byte: a backslash written as
// itself would be read as an escape ("C:\\new" would arrive with a line break).
TEST(NetFileEncoder, DeviceRebuildsTheText) {
  const std::vector<std::string> lines = {
      "1\tSS1\tA:\tI1\t\"Feeder 'North'\"",
      "C:\\new\\x41 \\ 5",
      "-12.5+3 .7",
      "Ölwerk Süd äöü ß €",
      std::string("\x01\x1f\x7f\x80", 4),
      "",
      "ABCDEFGH",
      "0123456789012345"};
  std::string joined;
  for (const auto& piece : NetFilePieces(lines)) joined += DecodeNetFilePiece(piece);
  std::string expect;
  for (const auto& line : lines) expect += Utf8ToCp1252(line) + "\r\n";
  EXPECT_EQ(joined, expect);
}

}  // namespace
}  // namespace trivex
