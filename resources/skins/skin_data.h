#pragma once
// The built-in skins (skin files of the skin library, see skinlib/SKIN_FORMAT.md) and the
// complete file of the skin library, compiled in by resources/skins/CMakeLists.txt.

#include "resources/byte_set.h"

extern const EmbeddedByteSet SkinLibraryImage;

extern const EmbeddedByteSet SkinSlot1;
extern const EmbeddedByteSet SkinSlot2;
extern const EmbeddedByteSet SkinSlot3;
extern const EmbeddedByteSet SkinSlot4;
extern const EmbeddedByteSet SkinSlot5;
extern const EmbeddedByteSet SkinSlot6;
extern const EmbeddedByteSet SkinSlot7;
extern const EmbeddedByteSet SkinSlot8;
extern const EmbeddedByteSet SkinSlot9;
extern const EmbeddedByteSet SkinSlot10;
extern const EmbeddedByteSet SkinSlot11;
extern const EmbeddedByteSet SkinSlot12;
extern const EmbeddedByteSet SkinSlot13;
extern const EmbeddedByteSet SkinSlot14;
extern const EmbeddedByteSet SkinSlot15;
extern const EmbeddedByteSet SkinSlot16;
extern const EmbeddedByteSet SkinSlot17;
extern const EmbeddedByteSet SkinSlot18;
extern const EmbeddedByteSet SkinSlot19;
extern const EmbeddedByteSet SkinSlot20;
extern const EmbeddedByteSet SkinSlot21;
extern const EmbeddedByteSet SkinSlot22;
extern const EmbeddedByteSet SkinSlot23;
extern const EmbeddedByteSet SkinSlot24;
extern const EmbeddedByteSet SkinSlot25;
extern const EmbeddedByteSet SkinSlot26;
extern const EmbeddedByteSet SkinSlot27;
extern const EmbeddedByteSet SkinSlot28;
extern const EmbeddedByteSet SkinSlot29;
extern const EmbeddedByteSet SkinSlot30;
extern const EmbeddedByteSet SkinSlot31;
extern const EmbeddedByteSet SkinSlot32;
extern const EmbeddedByteSet SkinSlot33;
