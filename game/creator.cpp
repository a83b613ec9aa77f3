#include "creator.h"

#include "scenes/poweron.h"

KilnEngine* ZTCreator::keCreateScene(int number) {
    switch (number) {
    case ZT_SCENE_POWERON:
        return new EnginePoweron();
    default:
        return nullptr;
    }
}
