#pragma once

#include <QByteArray>
#include <QtEndian>

// The smallest PE image our signature check and the signing tool accept:
// "MZ", e_lfanew 0x40, "PE\0\0", one .text section whose raw data starts at
// 0x200, FileAlignment 0x200, SectionAlignment 0x1000, SizeOfHeaders 0x200,
// 16 empty data directories. pe32plus gives the 64-bit optional header.
inline QByteArray MiniPe(bool pe32plus)
{
    QByteArray image(0x400, '\0');
    auto put16 = [&](int offset, quint16 value) { qToLittleEndian(value, image.data() + offset); };
    auto put32 = [&](int offset, quint32 value) { qToLittleEndian(value, image.data() + offset); };
    auto put64 = [&](int offset, quint64 value) { qToLittleEndian(value, image.data() + offset); };

    image[0] = 'M';
    image[1] = 'Z';
    put32(0x3C, 0x40);
    const int pe = 0x40;
    image.replace(pe, 4, QByteArray("PE\0\0", 4));
    const int optionalSize = pe32plus ? 240 : 224;
    put16(pe + 4, pe32plus ? 0x8664 : 0x014C); // machine
    put16(pe + 6, 1);                          // sections
    put16(pe + 20, optionalSize);
    put16(pe + 22, pe32plus ? 0x0022 : 0x0102); // executable image
    const int opt = pe + 24;
    put16(opt, pe32plus ? 0x20B : 0x10B);
    put32(opt + 4, 0x200);   // SizeOfCode
    put32(opt + 16, 0x1000); // AddressOfEntryPoint
    put32(opt + 20, 0x1000); // BaseOfCode
    if (pe32plus) {
        put64(opt + 24, 0x140000000ULL);
    } else {
        put32(opt + 28, 0x400000);
    }
    put32(opt + 32, 0x1000); // SectionAlignment
    put32(opt + 36, 0x200);  // FileAlignment
    put16(opt + 40, 6);      // OS version
    put16(opt + 48, 6);      // subsystem version
    put32(opt + 56, 0x2000); // SizeOfImage
    put32(opt + 60, 0x200);  // SizeOfHeaders
    put16(opt + 68, 3);      // console subsystem
    if (pe32plus) {
        put64(opt + 72, 0x100000);
        put64(opt + 80, 0x1000);
        put64(opt + 88, 0x100000);
        put64(opt + 96, 0x1000);
        put32(opt + 108, 16);
    } else {
        put32(opt + 72, 0x100000);
        put32(opt + 76, 0x1000);
        put32(opt + 80, 0x100000);
        put32(opt + 84, 0x1000);
        put32(opt + 92, 16);
    }
    const int section = opt + optionalSize;
    image.replace(section, 5, QByteArray(".text"));
    put32(section + 8, 0x200);       // VirtualSize
    put32(section + 12, 0x1000);     // VirtualAddress
    put32(section + 16, 0x200);      // SizeOfRawData
    put32(section + 20, 0x200);      // PointerToRawData
    put32(section + 36, 0x60000020); // code, execute, read
    // A "ret" and a recognisable body.
    image[0x200] = char(0xC3);
    const QByteArray body("Kordelvane signature test image");
    image.replace(0x210, body.size(), body);
    return image;
}
