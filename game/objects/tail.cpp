#include "tail.h"

#include "counter_shot.h"
#include "effects.h"
#include "layers.h"
#include "sound.h"
#include "sprite.h"
#include "tail_add_eft.h"
#include "work.h"

ZTTail* tailFirst = nullptr;
ZTTail* tailLast = nullptr;

void resetTailChain() {
    tailFirst = nullptr;
    tailLast = nullptr;
}

void addTail(ZTJointKind kind, bool effect) {
    if (tailLast) new ZTTail(kind, 1, tailLast->joint, effect);
}

ZTTailDamagerE::ZTTailDamagerE(const KVector* position) : KNDamager(1), position(position) {
    active = 1;
    radius = 8.0f;
    power = 0;
    // Of power 0 it does nothing to the joints' damage count: the joints need not test it.
    sparesKin = true;
}

void ZTTailDamagerE::knBegin() {
    centre = *position;
}

ZTTailDamagedE::ZTTailDamagedE(const KVector* position) : KNDamaged(1), position(position) {
    active = 1;
    knBound(position, 12.0f);
}

void ZTTailDamagedE::knBegin() {
    struck = 0;
}

bool ZTTailDamagedE::knCheck(KNDamager* damager) {
    // Only the player's own shots (power 1) trigger a charged joint; counter shots pass through.
    if (damager->power != 1 || !knWithin(damager, *position, 12.0f)) return false;
    struck = 1;
    strikeVector = damager->centre - *position;
    return true;
}

ZTTailDamagedP::ZTTailDamagedP(const KVector* position) : KNDamaged(0), position(position) {
    active = 1;
    knMakeKin();
    knBound(position, 12.0f);
}

void ZTTailDamagedP::knBegin() {
    damage = 0;
}

bool ZTTailDamagedP::knCheck(KNDamager* damager) {
    if (!knWithin(damager, *position, 12.0f)) return false;
    damage += damager->power;
    return true;
}

ZTTail::ZTTail(ZTJointKind kind, int length, ZTJoint* leader, bool effect)
    : KilnBehave(ZT_LAYER_TANK), kind(kind), position(leader->oldestPosition()),
      angle(leader->oldestAngle()), cell(kind == ZT_JOINT_PLAIN ? 1 : 2), damager(&position),
      victimE(&position), victimP(&position),
      joint(
          new ZTJoint(ztJointMaxLength, leader->oldestPosition(), leader->oldestAngle(), leader)) {
    prevTail = tailLast;
    if (!tailFirst) tailFirst = this;
    if (tailLast) tailLast->nextTail = this;
    tailLast = this;
    if (length - 1 > 0) new ZTTail(ZT_JOINT_PLAIN, length - 1, joint, false);
    if (effect) new ZTTailAddEft(joint, 0);
}

ZTTail::~ZTTail() {
    if (prevTail)
        prevTail->nextTail = nextTail;
    else if (tailFirst == this)
        tailFirst = nextTail;
    if (nextTail)
        nextTail->prevTail = prevTail;
    else if (tailLast == this)
        tailLast = prevTail;
    ksRelease(joint);
}

bool ZTTail::kbMove() {
    if (state == ZT_TAIL_FOLLOWING) {
        const ZTJoint* leader = joint->parent;
        position = leader->oldestPosition();
        angle = leader->oldestAngle();
        down = leader->downFlags[3];
        joint->push(position, angle, down);
        if (down) {
            new ZTBaku(position, 1.0f, 16);
            new ZTKoge(position, 1.0f);
            kwPlay(4);
            countdown = 8;
            state = ZT_TAIL_EXPLODING;
        }
    } else {
        joint->push(position, angle, 1);
        countdown -= 1;
        if (countdown < 0) return false;
    }
    if (kind == ZT_JOINT_ARMED) armedStep();
    return true;
}

void ZTTail::armedStep() {
    switch (counterState) {
    case ZT_COUNTER_WAITING:
        if (victimP.damage != 0) charge += victimP.damage;
        if (charge > 0) {
            new ZTTailAddEft(joint, 1);
            kwPlay(1);
            charge = 1;
            counterState = ZT_COUNTER_CHARGED;
        }
        break;
    case ZT_COUNTER_CHARGED:
        if (victimE.struck) {
            const KVector side{kmCos(angle), kmSin(angle), 0.0f};
            const KVector& s = victimE.strikeVector;
            counterSign = side.x * s.x + side.y * s.y + side.z * s.z <= 0.0f ? 1.0f : -1.0f;
            counterTimer = ztBurstFrames;
            kwPlay(2);
            counterState = ZT_COUNTER_FIRING;
        }
        break;
    case ZT_COUNTER_FIRING:
        if (counterTimer & 1) {
            const KVector side{kmCos(angle), kmSin(angle), 0.0f};
            new ZTCounterShot(position, (counterSign * 12.0f) * side, gWork->tail + 1);
        }
        counterTimer -= 1;
        if (counterTimer < 1) {
            charge = 0;
            counterState = ZT_COUNTER_WAITING;
        }
        break;
    default:
        break;
    }
    blink += 1;
    chargeScale = ((blink & 4) ? 1.5f : 1.0f) * static_cast<float>(charge);
}

void ZTTail::kbDraw() {
    if (down || position.y > 464.0f) return;
    gSprite->kspPut(cell, position.x, position.y, angle, 1.0f, 1.0f, 0xFFFFFFFF);
    if (charge != 0)
        gSprite->kspPut(55, position.x, position.y, 0.0f, chargeScale, chargeScale, 0xFFFFFFFF);
}

void ZTTail::kbDrawShadow(int pass) {
    (void)pass;
    if (down || position.y > 464.0f) return;
    gSprite->kspPut(cell, position.x + 8.0f, position.y + 8.0f, angle, 1.0f, 1.0f, 0x60000000);
}

void ZTTail::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(static_cast<int32_t>(kind)), hash.add(position), hash.add(angle),
        hash.add(static_cast<int32_t>(down));
    hash.add(static_cast<int32_t>(state)), hash.add(countdown), hash.add(cell), hash.add(charge);
    hash.add(static_cast<int32_t>(counterState)), hash.add(blink), hash.add(chargeScale),
        hash.add(counterSign);
    hash.add(counterTimer), hash.add(victimP.damage),
        hash.add(static_cast<int32_t>(victimE.struck));
    hash.add(victimE.strikeVector);
    joint->hash(hash);
}
