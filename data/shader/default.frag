#version 330 core
// Textured, vertex-coloured surfaces lit by the sun. The second output marks the surface for the
// outline pass: one shade for every entity, so their silhouettes get outlined.

in vec3 vWorldPosition;
in vec3 vViewPosition;
in vec3 vNormal;
in vec4 vColor;
in vec2 vTexCoord;

uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

const vec3 SUN_DIRECTION = normalize(vec3(0.35, 0.55, 0.75));
// A weak light from the opposite side keeps the faces turned away from the sun readable.
const vec3 FILL_DIRECTION = normalize(vec3(-0.6, -0.45, 0.25));
const vec3 SKY_AMBIENT = vec3(0.62, 0.68, 0.78);
const vec3 GROUND_AMBIENT = vec3(0.36, 0.34, 0.32);
const vec3 FOG_COLOR = vec3(0.76, 0.84, 0.92);
const float FOG_DENSITY = 0.0028;

// The face normal from screen-space derivatives: exact for flat faces whatever the mesh stores.
vec3 faceNormal()
{
    return normalize(cross(dFdx(vWorldPosition), dFdy(vWorldPosition)));
}

vec3 sunLight(vec3 normal)
{
    float diffuse = max(dot(normal, SUN_DIRECTION), 0.0);
    vec3 ambient = mix(GROUND_AMBIENT, SKY_AMBIENT, normal.z * 0.5 + 0.5);
    float fill = max(dot(normal, FILL_DIRECTION), 0.0);
    return ambient * 0.75 + vec3(1.0, 0.97, 0.9) * diffuse * 0.5 + vec3(0.75, 0.8, 0.9) * fill * 0.25;
}

void main()
{
    vec4 albedo = texture(uTexture, vTexCoord) * vColor;
    vec3 lit = albedo.rgb * sunLight(faceNormal());
    float fog = 1.0 - exp(-FOG_DENSITY * length(vViewPosition));
    fragColor = vec4(mix(lit, FOG_COLOR, fog), albedo.a);
    fragSurfaceId = vec4(0.5, 0.5, 0.5, 1.0);
}
