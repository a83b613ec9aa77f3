#include "menu_text.h"

namespace {
struct Line {
    const char* japanese;
    const char* english;
};
constexpr Line lines[ZT_MENU_TEXT_COUNT] = {
    {"\x82\xc2\x82\xc3\x82\xaf\x82\xe9", // つづける
     "RESUME"},
    {"\x82\xb9\x82\xc1\x82\xc4\x82\xa2", // せってい
     "SETTINGS"},
    {"\x82\xbb\x82\xa4\x82\xb3", // そうさ
     "CONTROLS"},
    {"\x83^\x83"
     "C\x83g\x83\x8b\x82\xc9\x82\xe0\x82\xc7\x82\xe9", // タイトルにもどる
     "BACK TO THE TITLE"},
    {"\x83Q\x81[\x83\x80\x82\xf0\x82\xe2\x82\xdf\x82\xe9", // ゲームをやめる
     "QUIT THE GAME"},
    {"\x83\x8a\x83v\x83\x8c\x83"
     "C\x82\xf0\x82\xc6\x82\xdf\x82\xe9", // リプレイをとめる
     "STOP THE REPLAY"},
    {"\x83v\x83\x8c\x83"
     "C\x82\xf0\x82\xe2\x82\xdf\x82\xc4\x81"
     "A\x83^\x83"
     "C\x83g\x83\x8b\x82\xd6\x81H", // プレイをやめて、タイトルへ？
     "LEAVE THE PLAY FOR THE TITLE?"},
    {"\x83v\x83\x8c\x83"
     "C\x82\xf0\x82\xe2\x82\xdf\x82\xc4\x81"
     "A\x82\xa8\x82\xed\x82\xe9\x81H", // プレイをやめて、おわる？
     "LEAVE THE PLAY AND QUIT?"},
    {"\x82\xb1\x82\xcc\x83v\x83\x8c\x83"
     "C\x82\xcd\x82\xcc\x82\xb1\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81"
     "B", // このプレイはのこりません。
     "THIS PLAY IS NOT KEPT."},
    {"\x82\xcd\x82\xa2", // はい
     "YES"},
    {"\x82\xa2\x82\xa2\x82\xa6", // いいえ
     "NO"},
    {"\x82\xaa\x82\xdf\x82\xf1", // がめん
     "SCREEN"},
    {"\x83"
     "E\x83"
     "B\x83\x93\x83h\x83"
     "E", // ウィンドウ
     "WINDOW"},
    {"\x82\xba\x82\xf1\x82\xaa\x82\xdf\x82\xf1", // ぜんがめん
     "FULL SCREEN"},
    {"\x82\xa8\x82\xa8\x82\xab\x82\xb3", // おおきさ
     "SCALE"},
    {"\x83u\x83"
     "C\x83V\x83\x93\x83N", // ブイシンク
     "VSYNC"},
    {"\x83t\x83H\x81[\x83J\x83X\x82\xc5\x83|\x81[\x83Y", // フォーカスでポーズ
     "FOCUS PAUSE"},
    {"\x82\xa8\x82\xf1\x82\xaa\x82\xad", // おんがく
     "MUSIC"},
    {"\x82\xa8\x82\xf1\x82\xaa\x82\xad\x82\xcc\x82\xa8\x82\xa8\x82\xab\x82\xb3", // おんがくのおおきさ
     "MUSIC VOLUME"},
    {"\x82\xb1\x82\xa4\x82\xa9\x82\xa8\x82\xf1\x82\xcc\x82\xa8\x82\xa8\x82\xab\x82\xb3", // こうかおんのおおきさ
     "EFFECT VOLUME"},
    {"\x83I\x83\x93", // オン
     "ON"},
    {"\x83I\x83t", // オフ
     "OFF"},
    {"\x82\xe0\x82\xc7\x82\xe9", // もどる
     "BACK"},
    {"\x83V\x83\x87\x83"
     "b\x83g", // ショット
     "FIRE"},
    {"\x83{\x83^\x83\x93"
     "2", // ボタン2
     "BUTTON 2"},
    {"\x83{\x83^\x83\x93"
     "3", // ボタン3
     "BUTTON 3"},
    {"\x83{\x83^\x83\x93"
     "4", // ボタン4
     "BUTTON 4"},
    {"\x82\xa4\x82\xa6", // うえ
     "UP"},
    {"\x82\xb5\x82\xbd", // した
     "DOWN"},
    {"\x82\xd0\x82\xbe\x82\xe8", // ひだり
     "LEFT"},
    {"\x82\xdd\x82\xac", // みぎ
     "RIGHT"},
    {"\x82\xe0\x82\xc6\x82\xc9\x82\xe0\x82\xc7\x82\xb7", // もとにもどす
     "DEFAULTS"},
    {"\x83L\x81[\x82\xa9\x83{\x83^"
     "\x83\x93\x82\xf0\x82\xa8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2", // キーかボタンをおしてください
     "PRESS A KEY OR A PAD BUTTON"},
    {"\x82\xbb\x82\xcc\x83L\x81[\x82\xcd\x82\xc2\x82\xa9\x82\xa6\x82\xdc\x82\xb9\x82\xf1", // そのキーはつかえません
     "THAT ONE HAS ITS OWN JOB"},
    {"P\x81"
     "F\x83|\x81[\x83Y\x81"
     "A\x82\xb9\x82\xc1\x82\xc4\x82\xa2\x81"
     "A\x82\xbb\x82\xa4\x82\xb3", // P：ポーズ、せってい、そうさ
     "P: PAUSE, SETTINGS, CONTROLS"},
};
bool menuEnglish = false;
} // namespace

bool ztMenuEnglish() {
    return menuEnglish;
}

void ztSetMenuEnglish(bool english) {
    menuEnglish = english;
}

const char* ztMenuText(ZTMenuText text) {
    if (text < 0 || text >= ZT_MENU_TEXT_COUNT) return "";
    return ztMenuEnglish() ? lines[text].english : lines[text].japanese;
}
