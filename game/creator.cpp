#include "creator.h"

KilnEngine* ZTCreator::keCreateScene(int number) {
    switch (number) {
    default:
        return nullptr;
    }
}
