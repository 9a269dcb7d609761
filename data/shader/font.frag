#version 330 core
// Text (and the caret and crosshair): the page texture tinted by uColor, premultiplied for
// (ONE, ONE_MINUS_SRC_ALPHA) blending, and clipped to the draw bounds given in window pixels.

in vec4 vColor;
in vec2 vTexCoord;

uniform vec4 uColor;
uniform vec2 uDrawBoundsX;
uniform vec2 uDrawBoundsY;
uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;

void main()
{
    vec2 pixel = gl_FragCoord.xy;
    if (pixel.x < uDrawBoundsX.x || pixel.x > uDrawBoundsX.y || pixel.y < uDrawBoundsY.x || pixel.y > uDrawBoundsY.y)
        discard;
    vec4 colour = texture(uTexture, vTexCoord) * vColor * uColor;
    fragColor = vec4(colour.rgb * colour.a, colour.a);
}
