#!/bin/sh
# Video export speed: records a ten-minute play of the automatic player (about 36,000 frames),
# makes its video with sound and reports frames per second end to end, with ffprobe's view of
# the file. Over 60 frames/s means a video takes less time to make than the play lasts.
#
#   bench/video_speed.sh [BUILD_DIR] [MINUTES]      (default: build, 10)
set -e
build=$(cd "${1:-build}" && pwd)
minutes=${2:-10}
tool="$build/root/zentaku-replay"
work=$(mktemp -d /tmp/zt_video_speed_XXXXXX)
trap 'rm -rf "$work"' EXIT

"$tool" --pilot "$work/play.rep" --minutes "$minutes" "$build/root" > /dev/null
frames=$("$tool" "$work/play.rep" "$build/root" | sed -n 's/^frames //p')
echo "play: $frames frames ($(awk "BEGIN { printf \"%.1f\", $frames / 60 }") s)"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

start=$(date +%s.%N)
/usr/bin/time -f "cpu: %U s user, %S s system (tool and ffmpeg)" \
  "$tool" --video "$work/play.mp4" "$work/play.rep" "$build/root"
end=$(date +%s.%N)
awk "BEGIN { t = $end - $start; printf \"end to end: %.1f s, %.1f frames/s (%.2fx real time)\n\", t, $frames / t, $frames / 60 / t }"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
ffprobe -v error -show_entries format=duration:stream=codec_name,pix_fmt,width,height,r_frame_rate,nb_frames,sample_rate,channels \
  -of default=noprint_wrappers=1 "$work/play.mp4"
