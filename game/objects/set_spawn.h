#pragma once
// A field's enemies made from its set.
class ZTSet;

// Creates one enemy per chip in list order; unknown kinds, and kinds whose enemies this build
// does not have, create nothing.
void ztSpawnSet(const ZTSet& set);
