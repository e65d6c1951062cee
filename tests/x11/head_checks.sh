# Screenshot checks per monitor of the two-head server (sourced by the tests).
# Head 0 is 1280x1024 at 0,0; head 1 is 1024x768 at 1280,0.
convert=/usr/bin/convert
import=/usr/bin/import
head_geometry=("1280x1024+0+0" "1024x768+1280+0")

# shot_heads NAME: one screenshot of the whole screen, cut into NAME-0.png and NAME-1.png.
shot_heads() {
    "$import" -window root "$1.png" || return 1
    for h in 0 1; do "$convert" "$1.png" -crop "${head_geometry[$h]}" +repage "$1-$h.png" || return 1; done
}
# Share of pixels that differ between two pictures of the same size.
changed_share() {
    "$convert" "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 -format '%[fx:mean]' info:
}
# Share of pixels brighter than near-black.
lit_share() { "$convert" "$1" -colorspace gray -threshold 3% -format '%[fx:mean]' info:; }
# Root-mean-square difference (0..1) of two pictures after scaling the first to the second's size.
scaled_difference() {
    local size
    size=$("$convert" "$2" -format '%wx%h' info:)
    "$convert" "$1" -filter point -resize "$size!" "$2" -compose difference -composite -colorspace gray \
        -format '%[fx:sqrt(mean*mean+standard_deviation*standard_deviation)]' info:
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
