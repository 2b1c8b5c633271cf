// The cases the page must handle as qpx does, for the Node and the browser
// runners alike. Scripts are CP932 bytes (latin1 strings here); every case
// names the qpx exit status it is about, and the runners compare the
// page's files byte for byte with qpx's on the same inputs.
"use strict";

const target = (size, offset) => {
  const bytes = Buffer.alloc(size);
  for (let i = 0; i < size; ++i) bytes[i] = (i * 37 + offset) & 0xff;
  return bytes;
};
const script = (text) => Buffer.from(text.replace(/\n/g, "\r\n"), "latin1");
const kTarget = "#path \"t.bin\"\n";

// Apply: a script, the files beside it, the file a dialog is answered
// with (none: cancelled), the status qpx ends with.
const applyCases = [
  { name: "path section with bytes and bits", script: "fix.qpx", examples: ["fix.qpx", "save.dat"], status: 0 },
  { name: "bit statements", files: { "t.bin": target(64, 1) },
    script: script(kTarget + "0000 =bit 1XXXXXX0 ;\n0001 to 0003 =bit X1X0X1X0 ;\n#end\n"), status: 0 },
  { name: "path dialog section", files: { "picked.sav": target(32, 2) },
    script: script("#path dialog \"Pick\\sa\\ssave|game.sav|Saves|*.sav|\"\n0002 = 7F ;\n#end\n"),
    dialog: "picked.sav", status: 0 },
  { name: "two sections on one target", files: { "t.bin": target(16, 7) },
    script: script(kTarget + "0000 = 11 ;\n#end\n" + kTarget + "0001 = 22 ;\n#end\n"), status: 0 },
  { name: "registry section stops the run", files: { "t.bin": target(16, 3) },
    script: script("#path \"t.bin\"\n0000 = 11 ;\n#end\n" +
                   "#registry \"HKEY_CURRENT_USER\\\\Software\\\\Sample\\\\Mode\"\ndword_dec 100 ;\n#end\n" +
                   kTarget + "0001 = 22 ;\n#end\n"), status: 18 },
  { name: "target missing", files: {}, script: script("#path \"none.bin\"\n0000 = 11 ;\n#end\n"), status: 12 },
  { name: "script error", files: { "t.bin": target(16, 4) }, script: script(kTarget + "000 = 11 ;\n#end\n"),
    status: 13 },
  { name: "section without target", files: {}, script: script("#path\n0000 = XX ;\n#end\n"), status: 14 },
  { name: "no end directive", files: { "t.bin": target(16, 5) }, script: script(kTarget + "0000 = 11 ;\n"),
    status: 15 },
  { name: "dialog cancelled", files: {},
    script: script("#path dialog \"Pick|n.sav|Saves|*.sav|\"\n0000 = 11 ;\n#end\n"), status: 16 },
  { name: "dialog file named outside CP932", files: { "josé.sav": target(16, 6) },
    script: script("#path dialog \"Pick|n.sav|Saves|*.sav|\"\n0000 = 11 ;\n#end\n"), dialog: "josé.sav",
    status: 12 },
  { name: "empty script", files: {}, script: Buffer.alloc(0), status: 3 },
];

// Make: two files; qpx diff's status, and its scripts where it wrote them.
const makeCases = [
  { name: "examples forward and reverse", first: "before.bin", second: "after.bin", examples: true, status: 0 },
  { name: "many differences", first: "a.bin", second: "b.bin", files: { "a.bin": target(4096, 6),
    "b.bin": target(4096, 7) }, status: 0 },
  { name: "a million differences", first: "a.bin", second: "b.bin", files: { "a.bin": target(1 << 20, 15),
    "b.bin": target(1 << 20, 16) }, status: 0 },
  { name: "Japanese name converted to CP932", first: "表.bin", second: "裏.bin",
    files: { "表.bin": target(64, 8), "裏.bin": target(64, 9) }, status: 0 },
  { name: "name outside CP932", first: "josé.bin", second: "b.bin",
    files: { "josé.bin": target(16, 10), "b.bin": target(16, 11) }, status: 20 },
  { name: "sizes differ", first: "a.bin", second: "b.bin",
    files: { "a.bin": target(16, 12), "b.bin": target(17, 12) }, status: 22 },
  { name: "equal files", first: "a.bin", second: "b.bin",
    files: { "a.bin": target(16, 13), "b.bin": target(16, 13) }, status: 23 },
];

// The large cases: a 256 MiB target, two 256 MiB files (made when a
// runner lays them out, not before).
const kLarge = 256 * 1024 * 1024;
const largeTarget = () => target(kLarge, 14);
const withChanges = (bytes, positions) => {
  const changed = Buffer.from(bytes);
  for (const position of positions) changed[position] ^= 0x5a;
  return changed;
};
const largeApplyCases = [
  { name: "256 MiB target", files: () => ({ "big.bin": largeTarget() }),
    script: script("#path \"big.bin\"\n00000000 = 11 ;\n0FFFFFFF = 22 ;\n08000000 to 0800FFFF = AABB ;\n#end\n"),
    status: 0 },
];
const largeMakeCases = [
  { name: "two 256 MiB files", first: "a.bin", second: "b.bin", status: 0, files: () => {
    const first = largeTarget();
    return { "a.bin": first, "b.bin": withChanges(first, [0, 4096, 0x8000000, kLarge - 1]) };
  } },
];

module.exports = { applyCases, makeCases, largeApplyCases, largeMakeCases };
