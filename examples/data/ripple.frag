// Shows the picture of texture unit 0 through a ripple that moves with "time" (in seconds), with
// its colours cut to a few steps like an old poster.
uniform sampler2D picture;
uniform float time;

void main() {
    vec2 at = gl_TexCoord[0].st;
    at.x += 0.015 * sin(at.y * 40.0 + time * 4.0);
    vec4 colour = texture2D(picture, at);
    gl_FragColor = vec4(floor(colour.rgb * 4.0) / 4.0, colour.a);
}
