#pragma once
// The ground under a scene: a map's chips queued as floor sprites.
class ZTMap;

// Queues every chip on screen, row by row, centred on its 64-pixel square.
void ztDrawMap(const ZTMap& map);
